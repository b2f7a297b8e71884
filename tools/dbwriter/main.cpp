// tarvo-dbwriter: a test helper that uses the data module as the program does.
//
//   tarvo-dbwriter --check FILE        opens FILE; prints "ok" or the error text (exit 1)
//   tarvo-dbwriter --write FILE [ROWS] write passes without end, each one transaction:
//                                      Arhiviraj, DeletePrivremene, then ROWS rows (default
//                                      1000; every tenth temporary) for values 1-10 whose
//                                      value is the pass number; prints "committed N" after
//                                      pass N has committed
#include <QCoreApplication>
#include <cstdio>

#include "db/DataModule.h"
#include "db/DbError.h"

namespace {

int Check(const QString& file)
{
    tarvo::TDModule db;
    db.Connect(file);
    std::printf("ok\n");
    return 0;
}

int Write(const QString& file, int rows)
{
    tarvo::TDModule db;
    db.Connect(file);
    tarvo::TStoredQuery& insert = db.ADOStoredProc_InsertMerenje;
    insert.Prepare();
    for (int pass = 1;; ++pass) {
        tarvo::TWritePass transaction(db);
        db.ADOArhiviraj.ExecSQL();
        db.ADODeletePrivremene.ExecSQL();
        for (int i = 0; i < rows; ++i) {
            insert.SetParam(QStringLiteral("id_value"), 1 + i % 10);
            insert.SetParam(QStringLiteral("value"), pass);
            insert.SetParam(QStringLiteral("status"), 0);
            insert.SetParam(QStringLiteral("privremen"), i % 10 == 9);
            insert.ExecSQL();
        }
        transaction.Commit();
        std::printf("committed %d\n", pass);
        std::fflush(stdout);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    try {
        if (args.size() == 2 && args[0] == QLatin1String("--check"))
            return Check(args[1]);
        if ((args.size() == 2 || args.size() == 3) && args[0] == QLatin1String("--write"))
            return Write(args[1], args.size() == 3 ? args[2].toInt() : 1000);
    } catch (const tarvo::DbError& e) {
        std::printf("%s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: tarvo-dbwriter --check FILE | --write FILE [ROWS]\n");
    return 2;
}
