#pragma once

#include <QRect>
#include <vector>

class QWidget;

namespace quillmar {

// Twips become pixels at 15 to the pixel, times one factor common to the whole
// window. The factor grows above 1 only when a caption in the installed font
// would not fit its widget; all geometry then grows alike.
int TwipsToPixels(int twips, double factor);

// The smallest factor, in steps of 1/20 and never below 1, at which every
// needed width fits its width in twips.
struct CaptionFit {
    int neededPixels;
    int widthTwips;
};
double CommonFactor(const std::vector<CaptionFit>& fits);

class TwipLayout {
public:
    void Place(QWidget* widget, int left, int top, int width, int height);
    // Over every placed label and button: what their captions need.
    double FitFactor() const;
    void Apply(double factor) const;

private:
    struct Placement {
        QWidget* widget;
        QRect twips;
    };
    std::vector<Placement> placements_;
};

}  // namespace quillmar
