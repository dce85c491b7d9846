#pragma once

// The file, string and system routines the program has always called by their QuickPak
// names. Truth values are -1 (true) and 0 (false), as callers test them that way.
// File bytes are 8-bit (QByteArray); names are QString and may use "\" as separator.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace vandrel::quickpak {

// ---------------------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------------------

// Access codes of FOpenAll.
enum Access : int { AccessRead = 0, AccessWrite = 1, AccessReadWrite = 2 };
// Share codes of FOpenAll. Compatibility mode denies nothing to other handles.
enum Share : int {
    ShareCompatibility = 0,
    ShareDenyAll = 1,
    ShareDenyWrite = 2,
    ShareDenyRead = 3,
    ShareDenyNone = 4
};

// Error numbers of WhichError; BASIC's file error numbers where one fits.
namespace fileerror {
inline constexpr int None = 0;
inline constexpr int IllegalFunctionCall = 5;
inline constexpr int BadFileNumber = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int BadFileMode = 54;
inline constexpr int DeviceIoError = 57;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEnd = 62;
inline constexpr int BadFileName = 64;
inline constexpr int TooManyFiles = 67;
inline constexpr int DeviceUnavailable = 68;
inline constexpr int PermissionDenied = 70; // sharing violation: another handle holds it
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
} // namespace fileerror

// Opens an existing file. access: 0 read, 1 write, 2 read/write; share: 0 compatibility,
// 1 deny all, 2 deny write, 3 deny read, 4 deny none. Sharing is enforced between all
// handles, in this process and (through open-file-description locks) in other copies of
// the program. On failure handle is 0 and WhichError tells why.
void FOpenAll(const QString& name, int access, int share, int& handle);
// Creates the file empty; an existing one is truncated (refused while a handle denies
// writing to it).
void FCreate(const QString& name);
void FClose(int handle);
// Reads buffer.size() bytes at the current position. At the end of the file the buffer
// is cut to the bytes that were there and the error is InputPastEnd.
void FGet(int handle, QByteArray& buffer);
// Writes the text's bytes at the current position, nothing added.
void FPut(int handle, const QByteArray& text);
// Next line without its line end. A line ends at CR LF (or a lone LF); byte 26 (Ctrl-Z)
// ends the text, and a CR in front of it, or at the physical end, ends the last line.
// bufferSize (limited to 64..4096) is the longest line returned: the rest of a longer
// line is skipped, so the next call still starts on the next line.
QByteArray FLInput(int handle, int bufferSize);
// -1 when the position is at or past the end, or the last line read ended at Ctrl-Z.
int FEof(int handle);
// Positions at a byte offset from 0; seeking to FLof makes FPut append.
void FSeek(int handle, qint64 offset);
qint64 FLof(int handle);
// Length of a file by name; -1 (and an error) when it cannot be read.
qint64 FileSize(const QString& name);
// -1 when the file exists (a directory is not a file).
int Exist(const QString& name);
void KillFile(const QString& name);
// Copies a file with its permissions and modification time; errorCode is 0 on success,
// else the error number.
void FCopy(const QString& source, const QString& destination, int& errorCode);
// Cuts (or extends with zero bytes) the file to length bytes.
void ClipFile(const QString& name, qint64 length);
// Number of lines as FLInput reads them; -1 (and an error) when the file cannot be read.
qint64 LineCount(const QString& name, int bufferSize = 4096);
// -1 when the text can name a file here (not whether it exists).
int Valid(const QString& name);

// After a file routine: -1 when it failed.
int DOSError();
// The error number of the last file routine (0 = none).
int WhichError();
// Dutch message text for an error number.
QString ErrorMsg(int errorNumber);

// The path on this system for a name as the program writes it: "\" becomes the native
// separator, and a name that does not exist as written is matched without regard to
// letter case, component by component, as on the file systems the program came from.
QString localPath(const QString& name);

// ---------------------------------------------------------------------------------------
// Strings: positions count from 1, 0 = not found
// ---------------------------------------------------------------------------------------

int QInstr(int start, const QByteArray& text, const QByteArray& search);
int QInstr(int start, const QString& text, const QString& search);
// Letter case ignored (Windows-1252 letters for 8-bit text).
int QInstr2(int start, const QByteArray& text, const QByteArray& search);
int QInstr2(int start, const QString& text, const QString& search);
// Last match that starts at or before start; start -1 (or any start below 1, or past the
// end) searches from the end.
int QInstrB(int start, const QByteArray& text, const QByteArray& search);
int QInstrB(int start, const QString& text, const QString& search);
// First position at or after start of any character of the set.
int InstrTbl(int start, const QByteArray& text, const QByteArray& set);
int InstrTbl(int start, const QString& text, const QString& set);
// Last position at or before start of any character of the set; start -1 = from the end.
int InstrTblB(int start, const QByteArray& text, const QByteArray& set);
int InstrTblB(int start, const QString& text, const QString& set);
int InCountTbl(const QByteArray& text, const QByteArray& set);
int InCountTbl(const QString& text, const QString& set);
void ReplaceChar(QByteArray& text, char oldChar, char newChar);
void ReplaceChar(QString& text, QChar oldChar, QChar newChar);
// Without leading and trailing blanks and zero characters.
QByteArray QPTrim(const QByteArray& text);
QString QPTrim(const QString& text);
// The text up to its first zero character.
QByteArray TrimZStr(const QByteArray& text);
QString TrimZStr(const QString& text);

// ---------------------------------------------------------------------------------------
// System
// ---------------------------------------------------------------------------------------

// The "Windows directory" (settings files), without a trailing separator or zero.
QString WinDir();
// Full path of the running program file.
QString ExeName();
// Free bytes for the user on the file system that holds path (its nearest existing
// folder when path does not exist yet), as a full 64-bit count with no 32-bit wrap;
// -1 when it cannot be read.
qint64 DiskRoom(const QString& path);
// Free memory in bytes: what the system can hand out without swapping (MemAvailable).
// Every argument gives this reading; callers pass -1.
qint64 Fre(int which);
// Processor code: x86 family 3 → 386, 4 → 486, 5 → 586, 6 and later → 686 (i686
// compatible), MIPS → 4000, Alpha → 21064, PowerPC → 601, 64-bit ARM → 8, 32-bit ARM →
// its architecture version, others 0.
int GetCPU();
// "Free system resources" in percent: available memory as a share of all memory.
int GetSystemResources();
// value limited to low..high (low wins when low > high).
int Trapint(int value, int low, int high);
// Enciphers text in place with key; the same call with the same key deciphers. Every
// byte changes, and plain ASCII becomes bytes 128..255, so no stored text reads plainly.
void Encrypt2(QByteArray& text, const QByteArray& key);

} // namespace vandrel::quickpak
