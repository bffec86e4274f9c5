#pragma once

// Counts, through the application's event filter, what the event loop
// delivers and how often each list's rows are painted.

#include <QObject>

#include <map>

class QWidget;

namespace bench {

class PaintWatch final : public QObject {
public:
    PaintWatch();

    // How often the rows of the scroll area `list` have been painted.
    int PaintsOf(const QWidget* list) const;

    // Lets the loop deliver until `done` holds, or until two passes in a
    // row have delivered nothing.
    template <class Done>
    void DeliverUntil(Done done)
    {
        for (int quiet = 0, pass = 0; !done() && quiet < 2 && pass < 100000; ++pass) {
            const long before = events_;
            ProcessEvents();
            quiet = events_ == before ? quiet + 1 : 0;
        }
    }

    // Until `list` has been painted once more, or the loop has nothing left
    // to deliver (a change that the screen does not show); whether it was.
    bool DeliverUntilPainted(const QWidget* list);

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    static void ProcessEvents();

    long events_ = 0;
    std::map<const QObject*, int> paints_;  // by scroll area
};

} // namespace bench
