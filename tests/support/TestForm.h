// The main window for tests: its tick handlers and show/close steps callable by hand, and its
// timers stopped so that nothing runs by itself.
#pragma once

#include <QTimer>

#include "app/Main.h"

namespace tarvo::test {

class TestForm : public TForm1 {
public:
    using TForm1::TForm1;
    using TForm1::FormClose;
    using TForm1::FormShow;
    using TForm1::ProcessDetection;
    using TForm1::TimerObradeTimer;
    using TForm1::TimerPrikazaTimer;
    using TForm1::TimerRefreshTimer;
    using TForm1::TimerUpisaTimer;

    void StopTimers()
    {
        for (QTimer* t : {TimerObrade, TimerPrikaza, TimerUpisa, TimerRefresh})
            t->stop();
    }
};

}  // namespace tarvo::test
