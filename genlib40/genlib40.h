/*
 * GENLIB40 — general string, array, SQL-text, search, postal-code, mail, fax-store, file,
 * system, serial-port and compression routines with a plain C interface.
 *
 * Kinds that cross the interface:
 *   text in       const char*, zero-terminated, Windows-1252; a null pointer reads as "".
 *   text in/out   BSTR* to the caller's counted byte string; the library frees it and stores a
 *                 newly allocated one in its place.
 *   text result   a newly allocated BSTR; the caller frees it with SysFreeString.
 *   array         SAFEARRAY** to a one-dimensional safe array (string arrays hold BSTRs).
 *   integer/flag  int32_t; boolean results are -1 (true) or 0 (false).
 *   money         int64_t holding value x 10000.
 *
 * A BSTR here is a counted byte string: a pointer to its bytes, the 32-bit byte length stored
 * just before them and a zero after them (make one with SysAllocStringByteLen). Where the
 * platform has no automation layer the library exports one with the Windows layout.
 */
#ifndef GENLIB40_H
#define GENLIB40_H

#include <stdint.h>

#ifdef _WIN32
#include <windows.h>
#include <oleauto.h>
#define GENLIB40_CALL __stdcall
#ifdef GENLIB40_BUILDING
#define GENLIB40_API __declspec(dllexport)
#else
#define GENLIB40_API __declspec(dllimport)
#endif
#else
#define GENLIB40_CALL
#define GENLIB40_API __attribute__((visibility("default")))

typedef uint16_t OLECHAR;
typedef OLECHAR* BSTR;
typedef uint16_t VARTYPE;
typedef int32_t HRESULT;

typedef struct tagSAFEARRAYBOUND {
    uint32_t cElements;
    int32_t lLbound;
} SAFEARRAYBOUND;

typedef struct tagSAFEARRAY {
    uint16_t cDims;
    uint16_t fFeatures;
    uint32_t cbElements;
    uint32_t cLocks;
    void* pvData;
    SAFEARRAYBOUND rgsabound[1];
} SAFEARRAY;

enum {
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_BSTR = 8,
    VT_BOOL = 11,
    VT_UI1 = 17
};

#define FADF_AUTO 0x0001
#define FADF_STATIC 0x0002
#define FADF_EMBEDDED 0x0004
#define FADF_FIXEDSIZE 0x0010
#define FADF_BSTR 0x0100
#define FADF_HAVEVARTYPE 0x0080

#ifndef S_OK
#define S_OK ((HRESULT)0)
#define E_UNEXPECTED ((HRESULT)0x8000FFFFL)
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define E_INVALIDARG ((HRESULT)0x80070057L)
#define DISP_E_BADINDEX ((HRESULT)0x8002000BL)
#define DISP_E_ARRAYISLOCKED ((HRESULT)0x8002000DL)
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

#ifndef _WIN32
/* Automation layer (Windows signatures and layout). */
GENLIB40_API BSTR GENLIB40_CALL SysAllocStringByteLen(const char* psz, unsigned int len);
GENLIB40_API unsigned int GENLIB40_CALL SysStringByteLen(BSTR bstr);
GENLIB40_API void GENLIB40_CALL SysFreeString(BSTR bstr);
GENLIB40_API SAFEARRAY* GENLIB40_CALL SafeArrayCreateVector(VARTYPE vt, int32_t lLbound,
                                                            uint32_t cElements);
GENLIB40_API HRESULT GENLIB40_CALL SafeArrayGetLBound(SAFEARRAY* psa, unsigned int nDim,
                                                      int32_t* plLbound);
GENLIB40_API HRESULT GENLIB40_CALL SafeArrayGetUBound(SAFEARRAY* psa, unsigned int nDim,
                                                      int32_t* plUbound);
GENLIB40_API HRESULT GENLIB40_CALL SafeArrayRedim(SAFEARRAY* psa, SAFEARRAYBOUND* psaboundNew);
GENLIB40_API HRESULT GENLIB40_CALL SafeArrayDestroy(SAFEARRAY* psa);
GENLIB40_API HRESULT GENLIB40_CALL SafeArrayAccessData(SAFEARRAY* psa, void** ppvData);
GENLIB40_API HRESULT GENLIB40_CALL SafeArrayUnaccessData(SAFEARRAY* psa);
#endif

/* Arrays */
GENLIB40_API void GENLIB40_CALL SortString(SAFEARRAY** list);
GENLIB40_API void GENLIB40_CALL SortInt(SAFEARRAY** list);
GENLIB40_API void GENLIB40_CALL SortLong(SAFEARRAY** list);
GENLIB40_API void GENLIB40_CALL SortSingle(SAFEARRAY** list);
GENLIB40_API void GENLIB40_CALL SortDouble(SAFEARRAY** list);
GENLIB40_API void GENLIB40_CALL SortCurrency(SAFEARRAY** list);
GENLIB40_API int32_t GENLIB40_CALL ScanString(SAFEARRAY** list, int32_t start, int32_t* count,
                                              const char* text, int32_t remove);
GENLIB40_API void GENLIB40_CALL InsertString(SAFEARRAY** list, int32_t index, const char* text);
GENLIB40_API void GENLIB40_CALL DeleteString(SAFEARRAY** list, int32_t index);

/* Compression: 4-byte little-endian length + one zlib stream; result is the zlib status. */
GENLIB40_API int32_t GENLIB40_CALL CompressString(BSTR* data);
GENLIB40_API int32_t GENLIB40_CALL DecompressString(BSTR* data);

/* Strings */
GENLIB40_API BSTR GENLIB40_CALL CheckBackSlash(const char* path);
GENLIB40_API BSTR GENLIB40_CALL CleanQuotes(const char* text, int32_t backslash);
GENLIB40_API BSTR GENLIB40_CALL ReadUntil(BSTR* text, const char* delimiter);
GENLIB40_API BSTR GENLIB40_CALL BuildString(int32_t* size, const char* text);
GENLIB40_API BSTR GENLIB40_CALL Decode(const char* text);
GENLIB40_API int32_t GENLIB40_CALL IsNumber(const char* text, int32_t allowMinus);
GENLIB40_API int32_t GENLIB40_CALL IsHexString(const char* text);
GENLIB40_API int32_t GENLIB40_CALL IsCharString(const char* text, int32_t strict);
GENLIB40_API BSTR GENLIB40_CALL CleanUpString(const char* text, int32_t strict);
GENLIB40_API void GENLIB40_CALL ReplaceString(BSTR* text, const char* find, const char* replacement,
                                              int32_t* maximum, int32_t restart);
GENLIB40_API BSTR GENLIB40_CALL WordWrap(const char* text, int32_t width, const char* lineBreak);
GENLIB40_API void GENLIB40_CALL Conv2Word(const char* text, SAFEARRAY** list, int32_t* count,
                                          const char* separator);
GENLIB40_API BSTR GENLIB40_CALL HexString(const char* text);
GENLIB40_API int64_t GENLIB40_CALL Opslag(int64_t price, float percentage);

/* SQL and search */
GENLIB40_API BSTR GENLIB40_CALL SQLText(const char* text, int32_t wildcards);
GENLIB40_API BSTR GENLIB40_CALL SQLCurText(const char* field, double rate, const char* alias);
GENLIB40_API BSTR GENLIB40_CALL SearchQuery(const char* query, SAFEARRAY** fields);
GENLIB40_API BSTR GENLIB40_CALL SearchPostalCode(const char* postalCode, const char* addressColumn,
                                                 const char* postalCodeColumn);
GENLIB40_API int32_t GENLIB40_CALL ValidPostalCode(const char* postalCode);
GENLIB40_API BSTR GENLIB40_CALL KIXCode(const char* address, const char* postalCode);
GENLIB40_API BSTR GENLIB40_CALL ReadIni(const char* section, const char* key, const char* file);
GENLIB40_API void GENLIB40_CALL WriteIni(const char* section, const char* key, const char* value,
                                         const char* file);

/* Mail, fax store, files, system */
GENLIB40_API BSTR GENLIB40_CALL MailExtractAddressee(const char* mail);
GENLIB40_API BSTR GENLIB40_CALL MailExtractSender(const char* mail);
GENLIB40_API BSTR GENLIB40_CALL MailExtractSubject(const char* mail);
GENLIB40_API int32_t GENLIB40_CALL ValidEmailAddress(const char* address);
GENLIB40_API int32_t GENLIB40_CALL InFaxCount(void);
GENLIB40_API void GENLIB40_CALL ListInFaxLogs(SAFEARRAY** list);
GENLIB40_API BSTR GENLIB40_CALL InFaxDCXFile(const char* logFile);
GENLIB40_API BSTR GENLIB40_CALL InFaxSenderID(const char* logFile);
GENLIB40_API BSTR GENLIB40_CALL FaxSysDir(void);
GENLIB40_API BSTR GENLIB40_CALL ValidateFileName(const char* name, int32_t strict);
GENLIB40_API BSTR GENLIB40_CALL ShortName(const char* path);
GENLIB40_API int32_t GENLIB40_CALL GetVolumeID(const char* root, int32_t* serial, BSTR* label);
GENLIB40_API BSTR GENLIB40_CALL GetFileVersion(const char* file);
GENLIB40_API BSTR GENLIB40_CALL GetWinVersion(void);
GENLIB40_API BSTR GENLIB40_CALL GetWinPlatform(void);
GENLIB40_API int32_t GENLIB40_CALL FileCopyBoot(const char* source, const char* target);

/* Serial port: handle 0 + settings opens, handle + "" closes, handle + data sends. */
GENLIB40_API int32_t GENLIB40_CALL SendToComm(int32_t handle, const char* text);
GENLIB40_API int32_t GENLIB40_CALL ReadFromComm(int32_t handle, BSTR* text);

#ifdef __cplusplus
}
#endif

#endif
