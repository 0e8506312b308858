#pragma once

// A fresh, shown and activated frmQuillmar, its controls found by object
// name and driven by real key and mouse events, as a user would.

#include <gtest/gtest.h>
#include <QStringList>
#include <memory>
#include <ostream>

#include "window/frm_quillmar.h"

// Values in failures are quoted, so spaces stay visible.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << text.toStdString();
}

namespace quillmar::test {

// While a step waits for a message box, the watchdog in main records it.
extern bool boxExpected;
extern QStringList seenBox;

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { fresh(); }
    void TearDown() override;
    void fresh();  // a new window, its start-up work done

    QObject* obj(const QString& name) const;
    QWidget* get(const QString& name) const { return qobject_cast<QWidget*>(obj(name)); }
    bool checked(const QString& name) const { return obj(name)->property("checked").toBool(); }

    // Steps apart by spaces: "box=text" typed into the emptied box, "calc:25.5/12"
    // both typed and Calculate clicked, "key:Ctrl+A" to the focus, "focus:name",
    // "paste:text" with Ctrl+V, "box:name" clicked with a message box expected,
    // "reactivate"; a name is clicked, or triggered for "mnu...".
    void run(const QString& steps);
    // Checks apart by "|": "name=text" for a control's text, caption, title or
    // list items ([current]); a cell "row,column"; "colN" (its cells joined by
    // ","); focus; rows; precision (item checked, menu on/off); box (the last,
    // joined by ", "); clipboard; printed; beeps; fit (captions not shown
    // whole); tabs (the Tab cycle); "name:flags" for h (hidden), d (disabled),
    // c (checked); or "name:flags=text".
    void expect(const QString& checks);
    QString value(const QString& name);
    // A fresh window per row: steps, then checks.
    void scenarios(std::initializer_list<std::pair<const char*, const char*>> rows) {
        for (const auto& [steps, checks] : rows) {
            SCOPED_TRACE(steps);
            fresh();
            run(steps);
            expect(checks);
            TearDown();  // no wait cursor left behind
        }
    }

    std::unique_ptr<frmQuillmar> window_;
    int printed_ = 0, beeps_ = 0;
};

}  // namespace quillmar::test
