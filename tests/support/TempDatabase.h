// A measurement database made by tarvo-dbinit's code in a temporary folder, removed with the
// object; and plain SQL on it through a connection of its own, as another program would.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QVariant>

namespace tarvo::test {

class TempDatabase {
public:
    // Makes <temp folder>/Dudured.ido, with the demo network unless told otherwise.
    explicit TempDatabase(bool demo = true);

    const QString& Path() const { return path_; }
    QString Dir() const { return dir_.path(); }

    // Runs one statement; throws DbError when it fails.
    void Exec(const QString& sql) const;
    // First column of the first row (null when there is none).
    QVariant Scalar(const QString& sql) const;

private:
    QTemporaryDir dir_;
    QString path_;
};

}  // namespace tarvo::test
