#include "app/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <algorithm>
#include <climits>

namespace tarvo {

namespace {

const QString kOnline = QStringLiteral("Online");
const QString kCommPort = QStringLiteral("CommPort");
const QString kBaudRate = QStringLiteral("BaudRate");
const QString kPeriodUpisa = QStringLiteral("PeriodUpisa");
const QString kPassword = QStringLiteral("Password");
const QString kLanguage = QStringLiteral("Language");
const QString kLeftPos = QStringLiteral("LeftPos");
const QString kTopPos = QStringLiteral("TopPos");
const QString kHeight = QStringLiteral("Height");
const QString kWidth = QStringLiteral("Width");
const QString kPath = QStringLiteral("Path");

constexpr int kRateCount = 8;  // entries of the link's baud-rate table

// The value as text; an unquoted value with commas reads back as a list.
bool SingleText(const QVariant& v, QString& text)
{
    if (v.typeId() == QMetaType::QStringList) {
        text = v.toStringList().join(QLatin1String(", "));
        return false;
    }
    text = v.toString();
    return true;
}

}  // namespace

SettingsError::SettingsError(const QString& text) : std::runtime_error(text.toStdString()) {}

QString InstallFolderName(const QString& programDir)
{
    QString dir = QDir::fromNativeSeparators(programDir);
    while (dir.size() > 1 && dir.endsWith(u'/'))
        dir.chop(1);
    return dir.mid(dir.lastIndexOf(u'/') + 1);
}

QString InstallFolderName() { return InstallFolderName(QCoreApplication::applicationDirPath()); }

const QString Settings::kOrganisation = QStringLiteral("TARVO Divoderade");

Settings::Settings() : Settings(kOrganisation, InstallFolderName()) {}

Settings::Settings(const QString& organisation, const QString& application)
    : Settings(organisation, application, QString())
{
}

Settings::Settings(const QString& organisation, const QString& application, const QString& file)
    : organisation_(organisation), application_(application), file_(file)
{
}

Settings Settings::AtFile(const QString& iniPath) { return Settings(QString(), QString(), iniPath); }

QString Settings::FileName() const
{
    if (!file_.isEmpty())
        return file_;
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, organisation_, application_)
        .fileName();
}

std::unique_ptr<QSettings> Settings::Open() const
{
    auto store = file_.isEmpty()
        ? std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation_,
                                      application_)
        : std::make_unique<QSettings>(file_, QSettings::IniFormat);
    const QFileInfo info(store->fileName());
    if (info.exists() && !info.isReadable())
        throw SettingsError(QStringLiteral("The settings file %1 cannot be read.").arg(store->fileName()));
    if (store->status() == QSettings::FormatError)
        throw SettingsError(QStringLiteral("The settings file %1 is damaged.").arg(store->fileName()));
    return store;
}

void Settings::Commit(QSettings& store) const
{
    store.sync();
    if (store.status() != QSettings::NoError)
        throw SettingsError(QStringLiteral("The settings file %1 cannot be written.").arg(store.fileName()));
}

void Settings::Fail(const QString& name, const QString& problem, const QString& value) const
{
    throw SettingsError(QStringLiteral("Setting \"%1\" in %2 %3: %4")
                            .arg(name, FileName(), problem, value));
}

QString Settings::ReadText(QSettings& store, const QString& name, const QString& current) const
{
    if (!store.contains(name))
        return current;
    QString text;
    if (!SingleText(store.value(name), text))
        Fail(name, QStringLiteral("is not a single text (put it in double quotes)"), text);
    return text;
}

int Settings::ReadInt(QSettings& store, const QString& name, int current, int min, int max) const
{
    if (!store.contains(name))
        return current;
    QString text;
    bool ok = SingleText(store.value(name), text);
    const int value = ok ? text.toInt(&ok) : 0;
    if (!ok)
        Fail(name, QStringLiteral("is not a whole number"), text);
    if (value < min || value > max)
        Fail(name, QStringLiteral("is outside %1..%2").arg(min).arg(max), text);
    return value;
}

bool Settings::ReadBool(QSettings& store, const QString& name, bool current) const
{
    if (!store.contains(name))
        return current;
    QString text;
    SingleText(store.value(name), text);
    const QString t = text.toLower();
    if (t == QLatin1String("true") || t == QLatin1String("1"))
        return true;
    if (t == QLatin1String("false") || t == QLatin1String("0"))
        return false;
    Fail(name, QStringLiteral("is not true or false"), text);
}

int Settings::ReadOrCreateInt(QSettings& store, const QString& name, int def) const
{
    if (!store.contains(name))
        store.setValue(name, def);
    return ReadInt(store, name, def, INT_MIN, INT_MAX);
}

void Settings::Load()
{
    ReadOnline();
    ReadLink();
    ReadGeometry();
}

void Settings::ReadOnline()
{
    auto store = Open();
    online = ReadBool(*store, kOnline, online);
}

void Settings::ReadLink()
{
    auto store = Open();
    if (!store->contains(kCommPort))
        store->setValue(kCommPort, QStringLiteral("COM1"));
    if (!store->contains(kBaudRate))
        store->setValue(kBaudRate, 3);
    Commit(*store);
    commPort = ReadText(*store, kCommPort, commPort);
    // Any whole number is a speed index: the link opens an index outside the table at 9600.
    baudRate = ReadInt(*store, kBaudRate, baudRate, INT_MIN, INT_MAX);
    // A write period outside 1..999 minutes is taken as the nearest one it allows.
    periodUpisa = std::clamp(ReadInt(*store, kPeriodUpisa, periodUpisa, INT_MIN, INT_MAX), 1, 999);
    password = ReadText(*store, kPassword, password);
}

void Settings::ReadGeometry()
{
    auto store = Open();
    const int l = ReadOrCreateInt(*store, kLeftPos, 10);
    const int t = ReadOrCreateInt(*store, kTopPos, 10);
    const int h = ReadOrCreateInt(*store, kHeight, 600);
    const int w = ReadOrCreateInt(*store, kWidth, 800);
    Commit(*store);
    leftPos = l;
    topPos = t;
    height = h;
    width = w;
}

void Settings::ReadLanguage()
{
    auto store = Open();
    languageName = ReadText(*store, kLanguage, QStringLiteral("default"));
}

template <typename Fn>
bool Settings::Save(Fn write)
{
    try {
        auto store = Open();
        write(*store);
        Commit(*store);
        error_.clear();
        return true;
    } catch (const SettingsError& e) {
        error_ = e.Text();
        return false;
    }
}

bool Settings::SaveOptions()
{
    return Save([this](QSettings& s) {
        s.setValue(kCommPort, commPort);
        s.setValue(kBaudRate, baudRate);
        s.setValue(kPeriodUpisa, periodUpisa);
        s.setValue(kOnline, online);
    });
}

bool Settings::SavePassword()
{
    return Save([this](QSettings& s) { s.setValue(kPassword, password); });
}

bool Settings::SaveGeometry(int left, int top, int h, int w)
{
    leftPos = left;
    topPos = top;
    height = h;
    width = w;
    return Save([&](QSettings& s) {
        s.setValue(kLeftPos, left);
        s.setValue(kTopPos, top);
        s.setValue(kHeight, h);
        s.setValue(kWidth, w);
    });
}

bool Settings::SaveLanguage()
{
    return Save([this](QSettings& s) { s.setValue(kLanguage, languageName); });
}

bool Settings::SavePath()
{
    return Save([this](QSettings& s) { s.setValue(kPath, databaseFile); });
}

}  // namespace tarvo
