#include "window/twip_layout.h"

#include <QAbstractButton>
#include <QLabel>
#include <algorithm>
#include <cmath>

namespace quillmar {

int TwipsToPixels(int twips, double factor) {
    return static_cast<int>(std::lround(twips * factor / 15.0));
}

double CommonFactor(const std::vector<CaptionFit>& fits) {
    constexpr double kSteps = 20.0;
    double factor = 1.0;
    for (const CaptionFit& fit : fits) {
        if (fit.widthTwips <= 0) {
            continue;
        }
        const double needed = fit.neededPixels * 15.0 / fit.widthTwips;
        // From the step below, up until the rounded pixels suffice.
        double stepped = std::floor(needed * kSteps) / kSteps;
        while (TwipsToPixels(fit.widthTwips, stepped) < fit.neededPixels) {
            stepped += 1.0 / kSteps;
        }
        factor = std::max(factor, stepped);
    }
    return factor;
}

void TwipLayout::Place(QWidget* widget, int left, int top, int width, int height) {
    placements_.push_back({widget, QRect(left, top, width, height)});
}

double TwipLayout::FitFactor() const {
    std::vector<CaptionFit> fits;
    for (const Placement& placed : placements_) {
        const bool captioned = qobject_cast<QLabel*>(placed.widget) != nullptr ||
                               qobject_cast<QAbstractButton*>(placed.widget) != nullptr;
        if (captioned) {
            fits.push_back({placed.widget->sizeHint().width(), placed.twips.width()});
        }
    }
    return CommonFactor(fits);
}

void TwipLayout::Apply(double factor) const {
    for (const Placement& placed : placements_) {
        const QRect& t = placed.twips;
        placed.widget->setGeometry(TwipsToPixels(t.left(), factor), TwipsToPixels(t.top(), factor),
                                   TwipsToPixels(t.width(), factor),
                                   TwipsToPixels(t.height(), factor));
    }
}

}  // namespace quillmar
