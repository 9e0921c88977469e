#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include "description/DescriptionResult.h"
#include "shell/ProgramFolders.h"

namespace tevra {

// Text files stored as one line of upper-case hexadecimal digits (two per byte) followed
// by CR LF: the DES-ECB encryption of the plain GBK text, filled up with NUL bytes to whole
// 8-byte blocks. Every file shares the key "qz".

namespace protected_file {
inline const QString kKey = QStringLiteral("qz");
inline const QString kSystemDescription = QStringLiteral("\\System\\SysConfig.ddt");
inline const QString kGainTable = QStringLiteral("\\System\\Gain.ddt");
inline const QString kEncoderTable = QStringLiteral("\\System\\Encoder.ddt");
// The plain copies in the temporary folder.
inline const QString kDefinePlain = QStringLiteral("Define.dat");
inline const QString kGainPlain = QStringLiteral("Gain.dat");
}  // namespace protected_file

// The byte forms: `plain` is the text's GBK bytes, the hex text is ASCII.
// Encoding fails with LastCharNul when the plain text ends with a NUL byte (it could not
// be told apart from the block filling); an empty text gives an empty hex text.
DescriptionResult<QByteArray> encodeProtectedBytes(QByteArrayView plain, QByteArrayView key);
// Decoding reads whole digit pairs (a single trailing digit is dropped; upper and lower
// case are accepted), fails with NotHex at any other character, decrypts whole blocks
// (a partial trailing block is dropped) and removes the NUL bytes at the end.
DescriptionResult<QByteArray> decodeProtectedBytes(QByteArrayView hex, QByteArrayView key);

// The text forms: the text is converted to and from GBK; the key string's GBK bytes are
// the key.
DescriptionResult<QString> EncodeProtectedText(const QString& plain,
                                               const QString& key = protected_file::kKey);
DescriptionResult<QString> DecodeProtectedText(const QString& hex,
                                               const QString& key = protected_file::kKey);

// Files given by a full path. Reading trims the file (every leading and trailing byte of
// code 32 or less) and decodes it with the shared key; FileMissing when it does not exist.
DescriptionResult<QByteArray> readProtectedFileBytes(const QString& path);
DescriptionResult<QStringList> readProtectedFileLines(const QString& path);
// Trims the plain bytes, encodes them and replaces the file with the hex text and CR LF.
DescriptionStatus writeProtectedFileBytes(const QString& path, QByteArrayView plain);

// Files named relative to the program folder ("\System\SysConfig.ddt").

// The decoded text as lines (split at CR LF, lone CR or lone LF). A missing file gives
// FileMissing; callers that only need "exists or not" test error().kind.
DescriptionResult<QStringList> LoadProtectedFile(const ProgramFolders& folders,
                                                 const QString& relativeName);

// Decodes the file and writes its lines, each followed by CR LF, under `plainName` in the
// temporary folder, replacing an older copy; nothing is written when decoding fails. The
// text form returns the plain text (lines joined with CR LF, trimmed).
DescriptionStatus ExtractProtectedFile(const ProgramFolders& folders, const QString& relativeName,
                                       const QString& plainName);
DescriptionResult<QString> ExtractProtectedFileText(const ProgramFolders& folders,
                                                    const QString& relativeName,
                                                    const QString& plainName);

// Trims the text, encodes it and replaces the file.
DescriptionStatus SaveProtectedFile(const ProgramFolders& folders, const QString& relativeName,
                                    const QString& plainText);

// Start-up: extracts \System\SysConfig.ddt to Define.dat and \System\Gain.ddt to Gain.dat
// in the temporary folder. Returns the first failure (a missing source file stops the
// program).
DescriptionStatus ExtractSystemPlainCopies(const ProgramFolders& folders);

// Program exit: for a user who is not administrator, deletes Define.dat, Gain.dat and
// ~tmpDri1.dll from the temporary folder, each only if it exists. An administrator's plain
// copies stay.
void RemovePlainCopiesAtExit(const ProgramFolders& folders, bool administratorMode);

}  // namespace tevra
