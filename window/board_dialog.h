#pragma once

// "Fret&board...": the board settings, each length in the unit chosen here,
// the board's widths and a drawing of it redrawn as the values change. OK
// refuses a bad value with a message naming it and keeps the dialog open;
// nothing changes until the settings pass.

#include <QDialog>
#include <array>
#include <optional>

#include "calculation/board_layout.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace quillmar {

class BoardPreview;

class BoardDialog : public QDialog {
    Q_OBJECT

public:
    // The table gives the frets the board is drawn around; without one the
    // board's settings alone are checked and no drawing is shown.
    BoardDialog(const BoardSettings& board, std::optional<ComputedTable> table,
                QWidget* parent = nullptr);

    // The settings as last accepted (as given until then).
    const BoardSettings& settings() const { return settings_; }

    void accept() override;

private:
    // The lengths typed in boxes, in the order of kLengthFields.
    enum Length {
        SpreadNut,
        SpreadBridge,
        Overhang,
        BoardEnd,
        SlotLength,
        BassScale,
        SaddleTreble,
        SaddleBass,
        kLengths
    };

    void createControls();
    void fill(const BoardSettings& board);
    void showUnit(BoardUnit unit);
    void fannedChanged(bool on);
    void slotsChanged();
    // The settings the controls hold, or the first problem with them.
    std::optional<BoardProblem> read(BoardSettings& board) const;
    void redraw();
    void restoreDefaults();
    QWidget* fieldOf(BoardField field) const;

    BoardSettings settings_;
    std::optional<ComputedTable> table_;
    BoardUnit unit_ = BoardUnit::Millimetres;
    // The exact value behind each box's text, so a length only shown rounded
    // is not rounded when nothing was typed.
    std::array<double, kLengths> exact_{};
    std::array<QLineEdit*, kLengths> lengths_{};
    std::array<QLabel*, kLengths> units_{};
    QButtonGroup* unitOptions_ = nullptr;
    QSpinBox* strings_ = nullptr;
    QComboBox* slots_ = nullptr;
    QCheckBox* centreLine_ = nullptr;
    QCheckBox* fanned_ = nullptr;
    QSpinBox* perpendicularFret_ = nullptr;
    QLabel* saddleTrebleLabel_ = nullptr;
    QWidget* slotLengthLabel_ = nullptr;
    QList<QWidget*> fannedOnly_;
    QLabel* widths_ = nullptr;  // or the first problem, in red
    BoardPreview* preview_ = nullptr;
};

}  // namespace quillmar
