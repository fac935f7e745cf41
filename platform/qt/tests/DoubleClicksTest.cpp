// Double clicks follow the Windows rule in both programs (the application object installs it):
// the second click of a quick pair is a double click only for the control that got the first.
// The events come as the window system's do: a press for the first click, then, for the
// second, a double click to the control under the mouse.
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A control that records the presses and double clicks it gets, as "p" and "d".
class Recording : public QWidget {
public:
    std::string seen;

protected:
    void mousePressEvent(QMouseEvent*) override { seen += "p"; }
    void mouseDoubleClickEvent(QMouseEvent*) override { seen += "d"; }
};

void Send(QWidget& widget, QEvent::Type type, quint64 time) {
    QMouseEvent event(type, QPointF(5, 5), QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    event.setTimestamp(time);
    QCoreApplication::sendEvent(&widget, &event);
}

struct PairCase {
    const char* name;
    bool sameControl;
    // Milliseconds from the first click's press to the double click.
    quint64 gap;
    std::string first;
    std::string second;
};

TEST(DoubleClicksTest, ADoubleClickCountsOnlyForTheControlOfTheFirstClick) {
    const PairCase cases[] = {
        // [計算実行] brings up the result grid where the mouse stands.
        {"second click on another control", false, 100, "p", "p"},
        {"both clicks on one control", true, 100, "pd", ""},
        // Without a first click in the double-click time the pair has nothing to go by.
        {"no first click near", false, 100000, "p", "d"},
    };
    quint64 time = 1000;
    for (const PairCase& c : cases) {
        SCOPED_TRACE(c.name);
        Recording first;
        Recording second;
        time += 200000;
        Send(first, QEvent::MouseButtonPress, time);
        Send(c.sameControl ? first : second, QEvent::MouseButtonDblClick, time + c.gap);
        EXPECT_EQ(first.seen, c.first);
        EXPECT_EQ(second.seen, c.second);
    }
}

} // namespace
