#include "device/Help.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace tarvo {

QString HelpPagePath(int context)
{
    const QString page = QDir::current().filePath(QStringLiteral("Help/%1.html").arg(context));
    if (QFileInfo::exists(page))
        return page;
    return QDir::current().filePath(QStringLiteral("Help/index.html"));
}

void OpenHelpTopic(int context) { QDesktopServices::openUrl(QUrl::fromLocalFile(HelpPagePath(context))); }

}  // namespace tarvo
