#include "frontlevel.h"

#include "../base/dpi.h"
#include "waitrule.h"

FrontLevelCall frontProgramLevel = ProcessLevelAgainstOwn;

// In advapi32 on every Windows that has levels; looked up so that the
// program imports nothing that Windows 98 lacks.
typedef BOOL(WINAPI* OpenProcessTokenCall)(HANDLE process, DWORD access, HANDLE* token);
typedef BOOL(WINAPI* GetTokenInformationCall)(HANDLE token, TOKEN_INFORMATION_CLASS kind, void* information,
                                              DWORD size, DWORD* length);
typedef UCHAR*(WINAPI* GetSidSubAuthorityCountCall)(PSID sid);
typedef DWORD*(WINAPI* GetSidSubAuthorityCall)(PSID sid, DWORD index);

static bool callsLookedUp;
static OpenProcessTokenCall openProcessToken;
static GetTokenInformationCall getTokenInformation;
static GetSidSubAuthorityCountCall getSidSubAuthorityCount;
static GetSidSubAuthorityCall getSidSubAuthority;

static bool CallsThere()
{
    if (!callsLookedUp) {
        callsLookedUp = true;
        HMODULE advapi = LoadSystemLibrary("advapi32.dll");
        openProcessToken = reinterpret_cast<OpenProcessTokenCall>(LookUpCall(advapi, "OpenProcessToken"));
        getTokenInformation = reinterpret_cast<GetTokenInformationCall>(LookUpCall(advapi, "GetTokenInformation"));
        getSidSubAuthorityCount =
            reinterpret_cast<GetSidSubAuthorityCountCall>(LookUpCall(advapi, "GetSidSubAuthorityCount"));
        getSidSubAuthority = reinterpret_cast<GetSidSubAuthorityCall>(LookUpCall(advapi, "GetSidSubAuthority"));
    }
    return openProcessToken != nullptr && getTokenInformation != nullptr && getSidSubAuthorityCount != nullptr
           && getSidSubAuthority != nullptr;
}

// The last sub-authority of the token's integrity SID; false where the token
// cannot be opened or has no level (before Vista).
static bool ProcessLevel(HANDLE process, uint32_t* level)
{
    HANDLE token = nullptr;
    if (!openProcessToken(process, TOKEN_QUERY, &token))
        return false;
    union {
        TOKEN_MANDATORY_LABEL label;
        BYTE bytes[sizeof(TOKEN_MANDATORY_LABEL) + SECURITY_MAX_SID_SIZE];
    } answer;
    DWORD length = 0;
    bool told = getTokenInformation(token, TokenIntegrityLevel, &answer, sizeof answer, &length) != 0;
    CloseHandle(token);
    if (!told)
        return false;
    UCHAR count = *getSidSubAuthorityCount(answer.label.Label.Sid);
    if (count == 0)
        return false;
    *level = *getSidSubAuthority(answer.label.Label.Sid, count - 1u);
    return true;
}

int32_t ProcessLevelAgainstOwn(DWORD processId)
{
    uint32_t ownLevel = 0, frontLevel = 0;
    bool ownTold = CallsThere() && ProcessLevel(GetCurrentProcess(), &ownLevel);
    bool frontOpened = false;
    if (ownTold) {
        // The least right OpenProcessToken needs (Vista's: XP, which has no
        // levels, is never asked).
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
        if (process != nullptr) {
            frontOpened = ProcessLevel(process, &frontLevel);
            CloseHandle(process);
        }
    }
    return IntegrityAgainstOwn(ownTold, ownLevel, frontOpened, frontLevel);
}
