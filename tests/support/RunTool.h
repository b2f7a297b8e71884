// Runs one of the project's command-line programs to its end and collects what it printed.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace tarvo::test {

struct ToolResult {
    int rc = -1;  // exit status; -1 when it crashed or did not end within a minute
    std::string out, err;
};

// Runs TARVO_BIN_DIR/`program` with `args`, in `folder` when one is given.
ToolResult RunTool(const QString& program, const QStringList& args, const QString& folder = QString());

}  // namespace tarvo::test
