// The program's persistent settings: one store per installation, kept by QSettings in its
// native format (on Linux an INI file "$XDG_CONFIG_HOME/TARVO Divoderade/<folder>.conf", where
// <folder> is the name of the folder that holds the program). The class keeps one variable per
// setting, starting at its default; reading a value that is present replaces the default.
#pragma once

#include <QString>
#include <memory>
#include <stdexcept>

class QSettings;

namespace tarvo {

// A stored setting the program cannot use (wrong kind, out of range), or a store that cannot
// be read or written. The text names the setting, the store's file and the problem.
class SettingsError : public std::runtime_error {
public:
    explicit SettingsError(const QString& text);
    QString Text() const { return QString::fromUtf8(what()); }
};

// Name of the folder that holds the program file: the last component of the directory,
// trailing separators ignored.
QString InstallFolderName(const QString& programDir);
QString InstallFolderName();  // of QCoreApplication::applicationDirPath()

class Settings {
public:
    static const QString kOrganisation;  // "TARVO Divoderade"

    // The installation's own store (organisation, application = InstallFolderName()).
    Settings();
    // The store of another installation, or of a test.
    Settings(const QString& organisation, const QString& application);
    // A store in one INI file of the caller's choice.
    static Settings AtFile(const QString& iniPath);

    // Full path of the file behind the store.
    QString FileName() const;

    // In-memory settings, defaults until read.
    bool online = true;
    QString commPort = QStringLiteral("COM1");
    int baudRate = 3;     // index into the link's rate table, 0..7 (another opens at 9600)
    int periodUpisa = 1;  // minutes, 1..999
    QString password = QStringLiteral("vardu");
    QString languageName = QStringLiteral("default");
    int leftPos = 10;
    int topPos = 10;
    int height = 600;
    int width = 800;
    QString databaseFile = QStringLiteral("Dudured.ido");

    // Start-up reads and writes: ReadOnline, ReadLink, ReadGeometry in that order (the
    // database check belongs between the first two). Throw SettingsError; the store keeps
    // whatever it held.
    void Load();
    void ReadOnline();    // "Online" when present
    void ReadLink();      // "CommPort", "BaudRate" (each written when absent), "PeriodUpisa", "Password"
    void ReadGeometry();  // "LeftPos", "TopPos", "Height", "Width" (each written when absent)
    // "Language" into languageName, "default" when absent.
    void ReadLanguage();

    // Writes; false on failure with the reason in ErrorText().
    bool SaveOptions();  // "CommPort", "BaudRate", "PeriodUpisa", "Online"
    bool SavePassword();
    bool SaveGeometry(int left, int top, int h, int w);
    bool SaveLanguage();
    bool SavePath();  // databaseFile as "Path"
    QString ErrorText() const { return error_; }

private:
    Settings(const QString& organisation, const QString& application, const QString& file);
    std::unique_ptr<QSettings> Open() const;  // throws SettingsError when unreadable
    void Commit(QSettings& store) const;     // throws SettingsError when not written
    template <typename Fn> bool Save(Fn write);

    QString ReadText(QSettings& store, const QString& name, const QString& current) const;
    int ReadInt(QSettings& store, const QString& name, int current, int min, int max) const;
    bool ReadBool(QSettings& store, const QString& name, bool current) const;
    int ReadOrCreateInt(QSettings& store, const QString& name, int def) const;
    [[noreturn]] void Fail(const QString& name, const QString& problem, const QString& value) const;

    QString organisation_;
    QString application_;
    QString file_;
    QString error_;
};

}  // namespace tarvo
