// TARVO manager: start-up of the process.
#include <QApplication>
#include <QLocale>

#include "app/Main.h"
#include "app/MessageBoxOperator.h"
#include "app/TApplication.h"
#include "db/DataModule.h"
#include "device/Operator.h"
#include "dialogs/Strings.h"

int main(int argc, char** argv)
{
    tarvo::TApplication app(argc, argv);
    tarvo::MessageBoxOperator op;
    tarvo::SetOperator(&op);
    app.setApplicationDisplayName(tarvo::Str(tarvo::StrMasterCaption));
    int rc = 0;
    try {
        tarvo::TDModule dm;
        tarvo::Settings settings;
        tarvo::TForm1 form(dm, settings);
        // Numbers, dates and times have one format in the whole process, whatever the
        // regional settings: '.' as decimal separator, dd/mm/yyyy, HH:nn:ss.
        QLocale::setDefault(QLocale::c());
        if (!form.Initialize()) {
            tarvo::SetOperator(nullptr);
            return 0;
        }
        form.show();
        rc = app.exec();
    } catch (const std::exception& e) {
        op.Message(e.what(), std::string(), tarvo::BoxIcon::Error);
        rc = 1;
    }
    tarvo::SetOperator(nullptr);
    return rc;
}
