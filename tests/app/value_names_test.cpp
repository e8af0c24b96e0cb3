// Fields whose meaning their row alone does not tell carry a name of their own.
#include "window_fixture.h"

#include <QLabel>

#include <set>

namespace {

using ValueNames = WindowTest;

// The label that names `field` for the user and for the keyboard.
QLabel* nameOf(const QWidget* window, const QWidget* field) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy() == field)
            return label;
    }
    return nullptr;
}

TEST_F(ValueNames, EachValueOfSlantLinesAndCornellNotesIsNamedBesideIt) {
    std::set<QString> names;
    for (const char* name : {"SlantAngleEd", "SlantSpaceEd", "CueWidthEd", "SummaryHeightEd"}) {
        SCOPED_TRACE(name);
        RealSpinEdit* field = spin(name);
        focus(field);
        const QLabel* label = nameOf(window.get(), field);
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->isVisible());
        const QRect named(label->mapTo(window.get(), QPoint(0, 0)), label->size());
        const QRect at(field->mapTo(window.get(), QPoint(0, 0)), field->size());
        EXPECT_LE(named.right(), at.left()) << "before the field";
        EXPECT_TRUE(at.contains(at.left(), named.center().y())) << "in the field's row";
        names.insert(label->text());
    }
    EXPECT_EQ(names.size(), 4u) << "no two share a name";
}

} // namespace
