// A writer killed with SIGKILL in the middle of its write passes leaves a sound database that
// holds every pass that had committed, whole, and nothing of a pass that had not.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <csignal>

#include "db/Schema.h"
#include "support/TempDatabase.h"

using tarvo::test::TempDatabase;

namespace {

// Starts the writer, waits until it reports `passes` committed passes, kills it; returns the
// highest pass it reported.
int RunAndKill(const QString& path, int passes)
{
    QProcess writer;
    writer.start(QStringLiteral(TARVO_BIN_DIR "/tarvo-dbwriter"), {"--write", path});
    EXPECT_TRUE(writer.waitForStarted());
    int reported = 0;
    QByteArray pending;
    while (reported < passes) {
        if (!writer.waitForReadyRead(30000)) {
            ADD_FAILURE() << "the writer stopped reporting: " << writer.readAllStandardError().toStdString();
            break;
        }
        pending += writer.readAllStandardOutput();
        const qsizetype end = pending.lastIndexOf('\n');
        if (end < 0)
            continue;
        for (const QByteArray& line : pending.left(end).split('\n')) {
            if (line.startsWith("committed "))
                reported = line.mid(10).toInt();
        }
        pending = pending.mid(end + 1);
    }
    ::kill(pid_t(writer.processId()), SIGKILL);
    writer.waitForFinished();
    return reported;
}

}  // namespace

TEST(Crash, KilledWriterLosesNoCommittedPass)
{
    for (int passes : {1, 2, 3, 5, 8, 13}) {
        SCOPED_TRACE(passes);
        TempDatabase file;
        const int reported = RunAndKill(file.Path(), passes);
        ASSERT_GE(reported, passes);

        EXPECT_EQ(file.Scalar(tarvo::schema::IntegrityCheckSql()).toString(), "ok");
        // The pass under way when the writer died may have committed just before.
        const int last = file.Scalar("SELECT MAX(Vrednost) FROM Merenja").toInt();
        EXPECT_TRUE(last == reported || last == reported + 1) << last;

        for (int pass = 1; pass <= last + 1; ++pass) {
            SCOPED_TRACE(pass);
            const auto count = [&](const char* table, const char* where) {
                return file.Scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE Vrednost = %2 %3")
                                       .arg(table).arg(pass).arg(where)).toInt();
            };
            const bool committed = pass <= last;
            EXPECT_EQ(count("Merenja", "AND Privremen = 0"), committed ? 900 : 0);
            // Temporary rows live until the next pass deletes them.
            EXPECT_EQ(count("Merenja", "AND Privremen <> 0"), pass == last ? 100 : 0);
            // Each pass archives the permanent rows of the ones before it.
            EXPECT_EQ(count("ArhivaMerenja", ""), pass < last ? 900 : 0);
        }
    }
}
