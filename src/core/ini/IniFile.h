#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

namespace tevra {

// An INI file read and written by the rules of the Windows profile functions, which the
// settings and description files were made with:
// - section and key names are compared without regard to case;
// - the first matching section, and in it the first matching key, wins;
// - names and values are trimmed of blanks; values are neither escaped nor unquoted;
// - the text is GBK, lines end with CR LF;
// - writing a key changes only that key's line (or adds one) and keeps every other line
//   byte for byte, in its order; booleans are written "1" and "0".
// Changes stay in memory until save(), which replaces the file atomically.
class IniFile {
  public:
    IniFile() = default;
    // Loads the file; a missing or unreadable file gives an empty one (exists() is false).
    explicit IniFile(const QString& path);

    static IniFile fromBytes(const QByteArray& bytes);

    const QString& path() const { return path_; }
    bool exists() const { return exists_; }

    bool hasSection(const QString& section) const;
    bool hasKey(const QString& section, const QString& key) const;
    std::optional<QString> value(const QString& section, const QString& key) const;

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;
    // Decimal or "$"/"0x" hexadecimal; anything else gives the default.
    int readInt(const QString& section, const QString& key, int defaultValue) const;
    // An integer other than 0 is true; a value that is not an integer gives the default.
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;
    double readFloat(const QString& section, const QString& key, double defaultValue) const;

    // Keys of a section in file order (first section of that name only).
    QStringList keys(const QString& section) const;
    QStringList sections() const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInt(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);
    void writeFloat(const QString& section, const QString& key, double value);
    void deleteKey(const QString& section, const QString& key);

    bool modified() const { return modified_; }
    QByteArray toBytes() const;
    // Writes to path() (or the given path) atomically; clears modified() on success.
    bool save(QString* error = nullptr);
    bool saveAs(const QString& path, QString* error = nullptr);

  private:
    struct Line {
        QByteArray raw;  // the line's bytes as read, without its line break
        QString text;    // decoded and trimmed, for matching
    };
    static Line makeLine(const QByteArray& raw);
    void parse(const QByteArray& bytes);
    // Index of the header line of the first section named `section`, or -1.
    qsizetype findSection(const QString& section) const;
    // Index of the key's line inside the section starting at `header`, or -1.
    qsizetype findKey(qsizetype header, const QString& key) const;
    qsizetype sectionEnd(qsizetype header) const;

    QString path_;
    bool exists_ = false;
    bool modified_ = false;
    QVector<Line> lines_;
};

}  // namespace tevra
