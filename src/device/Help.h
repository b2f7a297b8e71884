// Context help: HTML pages under Help/ in the working directory, one per context number
// ("Help/<number>.html"), falling back to the contents page "Help/index.html".
#pragma once

#include <QString>

namespace tarvo {

QString HelpPagePath(int context);
void OpenHelpTopic(int context);

}  // namespace tarvo
