#include "window/board_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include "calculation/fret_methods.h"
#include "window/board_preview.h"

namespace quillmar {

namespace {

struct LengthField {
    BoardField field;
    const char* name;  // as the messages name it
    double BoardSettings::*member;
};

constexpr std::array<LengthField, 8> kLengthFields{{
    {BoardField::SpreadNut, "string spread at the nut", &BoardSettings::spreadNut},
    {BoardField::SpreadBridge, "string spread at the bridge", &BoardSettings::spreadBridge},
    {BoardField::Overhang, "overhang", &BoardSettings::overhang},
    {BoardField::BoardEnd, "board end past the last fret", &BoardSettings::boardEnd},
    {BoardField::SlotLength, "slot length", &BoardSettings::slotLength},
    {BoardField::BassScale, "bass scale length", &BoardSettings::bassScale},
    {BoardField::SaddleTreble, "saddle compensation", &BoardSettings::saddleTreble},
    {BoardField::SaddleBass, "saddle compensation of the bass side", &BoardSettings::saddleBass},
}};

// Hundredths of a millimetre either way: four places of an inch.
int Places(BoardUnit unit) {
    return unit == BoardUnit::Inches ? 4 : 2;
}
double PerMm(BoardUnit unit) {
    return unit == BoardUnit::Inches ? 1.0 / kMillimetresPerInch : 1.0;
}
QString Format(double mm, BoardUnit unit) {
    return QString::number(mm * PerMm(unit), 'f', Places(unit));
}
QString UnitWord(BoardUnit unit) {
    return unit == BoardUnit::Inches ? QStringLiteral("in") : QStringLiteral("mm");
}

// A point or the locale's decimal sign; never a group separator, so a German
// "2,835" is not the C locale's 2835.
std::optional<double> Parse(const QString& text) {
    for (QLocale locale : {QLocale::c(), QLocale()}) {
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        bool ok = false;
        const double value = locale.toDouble(text.trimmed(), &ok);
        if (ok) {
            return value;
        }
    }
    return std::nullopt;
}

}  // namespace

BoardDialog::BoardDialog(const BoardSettings& board, std::optional<ComputedTable> table,
                         QWidget* parent)
    : QDialog(parent), settings_(board), table_(std::move(table)) {
    setObjectName(QStringLiteral("frmBoard"));
    setWindowTitle(QStringLiteral("Fretboard"));
    if (table_ && table_->rows.empty()) {
        table_.reset();
    }
    createControls();
    fill(board);
    redraw();
}

void BoardDialog::createControls() {
    const auto lengthBox = [this](Length which, QWidget* parent) {
        auto* row = new QWidget(parent);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        lengths_[which] = new QLineEdit(row);
        lengths_[which]->setObjectName(QStringLiteral("txtBoard%1").arg(which));
        lengths_[which]->setAlignment(Qt::AlignRight);
        lengths_[which]->setFixedWidth(
            fontMetrics().horizontalAdvance(QStringLiteral("0000.0000")) + 16);
        units_[which] = new QLabel(row);
        units_[which]->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("mm")) + 4);
        layout->addWidget(lengths_[which]);
        layout->addWidget(units_[which]);
        layout->addStretch();
        connect(lengths_[which], &QLineEdit::textEdited, this, &BoardDialog::redraw);
        // A typed length is kept as typed and shown at the unit's places.
        connect(lengths_[which], &QLineEdit::editingFinished, this, [this, which] {
            if (const auto typed = Parse(lengths_[which]->text())) {
                exact_[which] = *typed / PerMm(unit_);
                lengths_[which]->setText(Format(exact_[which], unit_));
            }
        });
        return row;
    };
    const auto form = [](QGroupBox* box) {
        auto* layout = new QFormLayout(box);
        layout->setLabelAlignment(Qt::AlignLeft);
        layout->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
        return layout;
    };
    const auto addLength = [&](QFormLayout* layout, const QString& caption, Length which) {
        QWidget* row = lengthBox(which, layout->parentWidget());
        layout->addRow(caption, row);
        qobject_cast<QLabel*>(layout->labelForField(row))->setBuddy(lengths_[which]);
        // The label sits outside the box's own row, where a screen reader
        // does not look for it.
        lengths_[which]->setAccessibleName(QString(caption).remove(u'&').remove(u':'));
        return row;
    };

    auto* top = new QVBoxLayout(this);
    preview_ = new BoardPreview(this);
    top->addWidget(preview_, 1);

    auto* status = new QHBoxLayout;
    widths_ = new QLabel(this);
    widths_->setObjectName(QStringLiteral("lblBoardWidths"));
    widths_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Long messages must not widen the dialog.
    widths_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    status->addWidget(widths_, 1);
    status->addWidget(new QLabel(QStringLiteral("Lengths in:"), this));
    unitOptions_ = new QButtonGroup(this);
    for (auto [unit, caption] : {std::pair{BoardUnit::Millimetres, "&millimetres"},
                                 std::pair{BoardUnit::Inches, "&inches"}}) {
        auto* option = new QRadioButton(QString::fromLatin1(caption), this);
        unitOptions_->addButton(option, static_cast<int>(unit));
        status->addWidget(option);
    }
    connect(unitOptions_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) {
            showUnit(static_cast<BoardUnit>(id));
        }
    });
    top->addLayout(status);

    auto* columns = new QHBoxLayout;
    auto* boardBox = new QGroupBox(QStringLiteral("Strings and board"), this);
    QFormLayout* boardForm = form(boardBox);
    strings_ = new QSpinBox(boardBox);
    strings_->setObjectName(QStringLiteral("spnStrings"));
    strings_->setRange(kMinStrings, kMaxStrings);
    boardForm->addRow(QStringLiteral("Number of &strings:"), strings_);
    addLength(boardForm, QStringLiteral("Spread at the &nut:"), SpreadNut);
    addLength(boardForm, QStringLiteral("Spread at the &bridge:"), SpreadBridge);
    addLength(boardForm, QStringLiteral("&Overhang past the strings:"), Overhang);
    addLength(boardForm, QStringLiteral("Board &end past the last fret:"), BoardEnd);
    centreLine_ = new QCheckBox(QStringLiteral("&Centre line"), boardBox);
    centreLine_->setObjectName(QStringLiteral("chkCentreLine"));
    boardForm->addRow(centreLine_);
    columns->addWidget(boardBox);

    auto* fretBox = new QGroupBox(QStringLiteral("Frets"), this);
    QFormLayout* fretForm = form(fretBox);
    slots_ = new QComboBox(fretBox);
    slots_->setObjectName(QStringLiteral("cboSlots"));
    slots_->addItem(QStringLiteral("To the edges"), static_cast<int>(SlotStyle::ToEdges));
    slots_->addItem(QStringLiteral("Extended past the edges"),
                    static_cast<int>(SlotStyle::Extended));
    slots_->addItem(QStringLiteral("Stopped short of the edges"),
                    static_cast<int>(SlotStyle::Short));
    fretForm->addRow(QStringLiteral("S&lot lines:"), slots_);
    QWidget* slotLength = addLength(fretForm, QStringLiteral("Slot len&gth:"), SlotLength);
    fanned_ = new QCheckBox(QStringLiteral("&Fanned frets (multi-scale)"), fretBox);
    fanned_->setObjectName(QStringLiteral("chkFanned"));
    fretForm->addRow(fanned_);
    QWidget* bassScale = addLength(fretForm, QStringLiteral("Bass sc&ale length:"), BassScale);
    perpendicularFret_ = new QSpinBox(fretBox);
    perpendicularFret_->setObjectName(QStringLiteral("spnPerpendicularFret"));
    perpendicularFret_->setRange(0, 1000);
    perpendicularFret_->setSpecialValueText(QStringLiteral("0 (nut)"));
    fretForm->addRow(QStringLiteral("&Perpendicular fret:"), perpendicularFret_);
    columns->addWidget(fretBox);

    auto* saddleBox = new QGroupBox(QStringLiteral("Saddle compensation"), this);
    QFormLayout* saddleForm = form(saddleBox);
    addLength(saddleForm, QStringLiteral("&Treble side:"), SaddleTreble);
    saddleTrebleLabel_ =
        qobject_cast<QLabel*>(saddleForm->labelForField(lengths_[SaddleTreble]->parentWidget()));
    QWidget* bassSaddle = addLength(saddleForm, QStringLiteral("Bass si&de:"), SaddleBass);
    auto* saddleNote = new QLabel(
        QStringLiteral("Drawn as a solid line beside the dashed bridge line."), saddleBox);
    saddleNote->setWordWrap(true);
    saddleNote->setForegroundRole(QPalette::PlaceholderText);
    saddleForm->addRow(saddleNote);
    columns->addWidget(saddleBox);
    top->addLayout(columns);

    for (QWidget* w : {bassScale, static_cast<QWidget*>(perpendicularFret_), bassSaddle}) {
        fannedOnly_ << w << fretForm->labelForField(w) << saddleForm->labelForField(w);
    }
    fannedOnly_.removeAll(nullptr);
    slotLengthLabel_ = fretForm->labelForField(slotLength);
    connect(fanned_, &QCheckBox::toggled, this, &BoardDialog::fannedChanged);
    connect(slots_, &QComboBox::currentIndexChanged, this, &BoardDialog::slotsChanged);
    for (QSpinBox* spin : {strings_, perpendicularFret_}) {
        connect(spin, &QSpinBox::valueChanged, this, &BoardDialog::redraw);
    }
    connect(centreLine_, &QCheckBox::toggled, this, &BoardDialog::redraw);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults, this);
    buttons->button(QDialogButtonBox::RestoreDefaults)
        ->setObjectName(QStringLiteral("cmdRestoreDefaults"));
    connect(buttons, &QDialogButtonBox::accepted, this, &BoardDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &BoardDialog::reject);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            &BoardDialog::restoreDefaults);
    top->addWidget(buttons);

    // Magnified, or on a small screen, the saddle goes under the frets so
    // that the dialog still fits across.
    const QScreen* shown = parentWidget() != nullptr ? parentWidget()->screen() : screen();
    if (shown != nullptr && sizeHint().width() > shown->availableGeometry().width()) {
        columns->removeWidget(fretBox);
        columns->removeWidget(saddleBox);
        auto* stacked = new QVBoxLayout;
        stacked->addWidget(fretBox);
        stacked->addWidget(saddleBox);
        columns->addLayout(stacked);
    }
    resize(820, sizeHint().height());
}

void BoardDialog::fill(const BoardSettings& board) {
    unit_ = board.unit;
    for (std::size_t i = 0; i < kLengths; ++i) {
        exact_[i] = board.*kLengthFields[i].member;
        lengths_[i]->setText(Format(exact_[i], unit_));
        units_[i]->setText(UnitWord(unit_));
    }
    strings_->setValue(board.strings);
    perpendicularFret_->setValue(board.perpendicularFret);
    slots_->setCurrentIndex(slots_->findData(static_cast<int>(board.slots)));
    centreLine_->setChecked(board.centreLine);
    fanned_->setChecked(board.fanned);
    // Called whether or not the boxes changed, so a first fill sets them up.
    fannedChanged(board.fanned);
    slotsChanged();
    unitOptions_->button(static_cast<int>(board.unit))->setChecked(true);
    redraw();
}

void BoardDialog::fannedChanged(bool on) {
    for (QWidget* w : fannedOnly_) {
        w->setEnabled(on);
    }
    saddleTrebleLabel_->setText(on ? QStringLiteral("&Treble side:")
                                   : QStringLiteral("&Treble and bass:"));
    lengths_[SaddleTreble]->setAccessibleName(on ? QStringLiteral("Treble side")
                                                 : QStringLiteral("Treble and bass"));
    redraw();
}

void BoardDialog::slotsChanged() {
    const bool cut = slots_->currentData().toInt() != static_cast<int>(SlotStyle::ToEdges);
    lengths_[SlotLength]->parentWidget()->setEnabled(cut);
    slotLengthLabel_->setEnabled(cut);
    redraw();
}

void BoardDialog::showUnit(BoardUnit unit) {
    for (std::size_t i = 0; i < kLengths; ++i) {
        // A length typed in the old unit is carried over; a bad text stays.
        if (lengths_[i]->text() != Format(exact_[i], unit_)) {
            if (const auto typed = Parse(lengths_[i]->text())) {
                exact_[i] = *typed / PerMm(unit_);
            } else {
                continue;
            }
        }
        lengths_[i]->setText(Format(exact_[i], unit));
        lengths_[i]->setAccessibleDescription(
            unit == BoardUnit::Inches ? QStringLiteral("inches") : QStringLiteral("millimetres"));
        units_[i]->setText(UnitWord(unit));
    }
    unit_ = unit;
    redraw();
}

std::optional<BoardProblem> BoardDialog::read(BoardSettings& board) const {
    board.unit = unit_;
    for (std::size_t i = 0; i < kLengths; ++i) {
        const LengthField& f = kLengthFields[i];
        const QString text = lengths_[i]->text();
        if (text == Format(exact_[i], unit_)) {
            board.*f.member = exact_[i];
        } else if (const auto typed = Parse(text)) {
            board.*f.member = *typed / PerMm(unit_);
        } else {
            return BoardProblem{f.field, std::string("The ") + f.name + " must be a number."};
        }
    }
    board.strings = static_cast<std::int16_t>(strings_->value());
    board.slots = static_cast<SlotStyle>(slots_->currentData().toInt());
    board.centreLine = centreLine_->isChecked();
    board.fanned = fanned_->isChecked();
    board.perpendicularFret = static_cast<std::int16_t>(perpendicularFret_->value());
    return table_ ? ValidateBoard(board, *table_) : ValidateBoardSettings(board);
}

void BoardDialog::redraw() {
    if (!unitOptions_->checkedButton()) {
        return;  // still being built
    }
    BoardSettings board;
    const std::optional<BoardProblem> problem = read(board);
    QPalette colours = palette();
    if (problem) {
        colours.setColor(QPalette::WindowText, QColor(0xb0, 0x20, 0x20));
        widths_->setPalette(colours);
        widths_->setText(QString::fromStdString(problem->message));
        return;  // the last good drawing stays above the message
    }
    widths_->setPalette(colours);
    if (!table_) {
        widths_->clear();
        preview_->setBoard(std::nullopt,
                           QStringLiteral("The board is drawn around the frets: enter a "
                                          "scale length and a number of frets."));
        return;
    }
    const BoardLayout layout = LayOutBoard(board, *table_);
    widths_->setText(
        QStringLiteral("Board width: %1 %3 at the nut, %2 %3 at the end")
            .arg(Format(layout.nutWidth, unit_), Format(layout.endWidth, unit_), UnitWord(unit_)));
    preview_->setBoard(DrawBoard(BuildBoard(*table_, 0.0, board), {}));
}

void BoardDialog::restoreDefaults() {
    BoardSettings defaults;
    defaults.unit = unit_;  // the unit is how the user reads, not part of the board
    fill(defaults);
}

QWidget* BoardDialog::fieldOf(BoardField field) const {
    for (std::size_t i = 0; i < kLengths; ++i) {
        if (kLengthFields[i].field == field) {
            return lengths_[i];
        }
    }
    return field == BoardField::PerpendicularFret ? static_cast<QWidget*>(perpendicularFret_)
                                                  : static_cast<QWidget*>(strings_);
}

void BoardDialog::accept() {
    BoardSettings board;
    if (const auto problem = read(board)) {
        QMessageBox::warning(this, QStringLiteral("Quillmar"),
                             QString::fromStdString(problem->message));
        QWidget* field = fieldOf(problem->field);
        field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            edit->selectAll();
        }
        return;
    }
    settings_ = board;
    QDialog::accept();
}

}  // namespace quillmar
