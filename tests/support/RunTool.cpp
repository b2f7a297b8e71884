#include "support/RunTool.h"

#include <QProcess>

namespace tarvo::test {

ToolResult RunTool(const QString& program, const QStringList& args, const QString& folder)
{
    QProcess p;
    if (!folder.isEmpty())
        p.setWorkingDirectory(folder);
    p.start(QStringLiteral(TARVO_BIN_DIR "/") + program, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput().toStdString(),
            p.readAllStandardError().toStdString()};
}

}  // namespace tarvo::test
