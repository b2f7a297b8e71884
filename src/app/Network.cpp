// The network model of the main window. (Being built: network, timers, chart and work orders.)
#include "app/Main.h"

namespace tarvo {

void TForm1::BuildNetwork() {}
void TForm1::DestroyChannels() { LiveChannels.clear(); }
void TForm1::TimerUpisaTimer() {}
void TForm1::TimerRefreshTimer() {}
void TForm1::ProcessDetection() {}
void TForm1::ApplyPartTexts() {}

}  // namespace tarvo
