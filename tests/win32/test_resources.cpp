// The compiled dialog and menu templates, read back from the built module and
// compared field by field with the tables they were written from.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <cwchar>

#include "catalogue/catalogue.h"
#include "check.h"
#include "resources/resource.h"

constexpr WORD ENGLISH_US = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US); // 1033

// --- Walking the templates ---------------------------------------------------

static const WORD* AlignToDword(const WORD* p)
{
    return reinterpret_cast<const WORD*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR{3});
}

// A name-or-ordinal field: 0 (none), 0xFFFF + ordinal, or a zero-terminated UTF-16 text.
// Ordinals come back as "#n", the predefined control classes by their names.
static const WORD* ReadNameOrOrdinal(const WORD* p, wchar_t* out, int size)
{
    if (p[0] == 0xFFFF) {
        switch (p[1]) {
        case 0x0080: lstrcpynW(out, L"button", size); break;
        case 0x0081: lstrcpynW(out, L"edit", size); break;
        case 0x0082: lstrcpynW(out, L"static", size); break;
        default: swprintf(out, size, L"#%u", p[1]); break;
        }
        return p + 2;
    }
    lstrcpynW(out, reinterpret_cast<const wchar_t*>(p), size);
    return p + lstrlenW(reinterpret_cast<const wchar_t*>(p)) + 1;
}

struct Control {
    const wchar_t* className;
    int id;
    const wchar_t* text;
    DWORD style;
    short x, y, width, height;
};

struct Dialog {
    const char* name;
    DWORD style;
    short x, y, width, height;
    const wchar_t* title;
    const Control* controls;
    int controlCount;
};

static const Control SCRNSAVER_CONTROLS[] = {
    {L"static", -1, L"待ち時間：", WS_CHILD | WS_VISIBLE | SS_LEFT, 2, 2, 40, 8},
    {L"edit", 10028, L"300", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_RIGHT, 43, 1, 16, 10},
    {L"static", -1, L"分", WS_CHILD | WS_VISIBLE | SS_LEFT, 61, 3, 9, 8},
    {L"button", 1, L"了解", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 3, 26, 63, 12},
    {L"static", -1, L"表示速度：", WS_CHILD | WS_VISIBLE | SS_RIGHT, 2, 14, 40, 8},
    {L"edit", 100, L"60", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_LEFT, 43, 13, 16, 10},
};

constexpr DWORD RADIO = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_RADIOBUTTON;

static const Control BOWLSELECT_CONTROLS[] = {
    {L"static", -1, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | SS_LEFT, 2, 2, 106, 92},
    {L"button", 100, L"Earth", RADIO, 6, 14, 46, 8},
    {L"button", 101, L"EarthAfrica", RADIO, 6, 24, 47, 8},
    {L"button", 102, L"Jupiter", RADIO, 6, 34, 46, 8},
    {L"button", 103, L"Mars", RADIO, 6, 44, 46, 8},
    {L"button", 104, L"Venus", RADIO, 6, 54, 46, 8},
    {L"button", 105, L"Saturn", RADIO, 6, 64, 46, 8},
    {L"button", 106, L"Sun", RADIO, 6, 74, 46, 8},
    {L"button", 107, L"Sphere", RADIO, 6, 84, 46, 8},
    {L"button", 110, L"Earth", RADIO, 58, 14, 46, 8},
    {L"button", 111, L"EarthAfrica", RADIO, 58, 24, 47, 8},
    {L"button", 112, L"Jupiter", RADIO, 58, 34, 46, 8},
    {L"button", 113, L"Mars", RADIO, 58, 44, 46, 8},
    {L"button", 114, L"Venus", RADIO, 58, 54, 46, 8},
    {L"button", 115, L"Saturn", RADIO, 58, 64, 46, 8},
    {L"button", 116, L"Sun", RADIO, 58, 74, 46, 8},
    {L"button", 117, L"Sphere", RADIO, 58, 84, 46, 8},
    {L"static", -1, L"Pattern 1", WS_CHILD | WS_VISIBLE | SS_LEFT, 6, 4, 39, 8},
    {L"static", -1, L"Pattern 2", WS_CHILD | WS_VISIBLE | SS_LEFT, 58, 4, 37, 8},
    {L"button", 1, L"了解", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 12, 97, 38, 12},
    {L"button", 2, L"取消", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 62, 97, 38, 12},
};

// The About button's caption is never shown, so it is not compared (text nullptr).
static const Control ABOUT_CONTROLS[] = {
    {L"button", 100, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0, 49, 21},
};

#ifdef HOPLETTE_SAVER_RESOURCES
// Hoplette.scr's settings: the show radios carry the show modes, the picture
// radios the ids of BOWLSELECT.
static const Control SAVERSETUP_CONTROLS[] = {
    {L"static", -1, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | SS_LEFT, 2, 2, 172, 102},
    {L"button", 10017, L"Double", RADIO, 6, 14, 46, 8},
    {L"button", 10010, L"Earth", RADIO, 6, 24, 46, 8},
    {L"button", 10011, L"EarthAfrica", RADIO, 6, 34, 54, 8},
    {L"button", 10012, L"Jupiter", RADIO, 6, 44, 46, 8},
    {L"button", 10013, L"Mars", RADIO, 6, 54, 46, 8},
    {L"button", 10014, L"Venus", RADIO, 6, 64, 46, 8},
    {L"button", 10015, L"Saturn", RADIO, 6, 74, 46, 8},
    {L"button", 10016, L"Sun", RADIO, 6, 84, 46, 8},
    {L"button", 10018, L"Sphere", RADIO, 6, 94, 46, 8},
    {L"button", 100, L"Earth", RADIO, 62, 14, 46, 8},
    {L"button", 101, L"EarthAfrica", RADIO, 62, 24, 54, 8},
    {L"button", 102, L"Jupiter", RADIO, 62, 34, 46, 8},
    {L"button", 103, L"Mars", RADIO, 62, 44, 46, 8},
    {L"button", 104, L"Venus", RADIO, 62, 54, 46, 8},
    {L"button", 105, L"Saturn", RADIO, 62, 64, 46, 8},
    {L"button", 106, L"Sun", RADIO, 62, 74, 46, 8},
    {L"button", 107, L"Sphere", RADIO, 62, 84, 46, 8},
    {L"button", 110, L"Earth", RADIO, 118, 14, 46, 8},
    {L"button", 111, L"EarthAfrica", RADIO, 118, 24, 54, 8},
    {L"button", 112, L"Jupiter", RADIO, 118, 34, 46, 8},
    {L"button", 113, L"Mars", RADIO, 118, 44, 46, 8},
    {L"button", 114, L"Venus", RADIO, 118, 54, 46, 8},
    {L"button", 115, L"Saturn", RADIO, 118, 64, 46, 8},
    {L"button", 116, L"Sun", RADIO, 118, 74, 46, 8},
    {L"button", 117, L"Sphere", RADIO, 118, 84, 46, 8},
    {L"static", -1, L"Bournce", WS_CHILD | WS_VISIBLE | SS_LEFT, 6, 4, 39, 8},
    {L"static", -1, L"Pattern 1", WS_CHILD | WS_VISIBLE | SS_LEFT, 62, 4, 39, 8},
    {L"static", -1, L"Pattern 2", WS_CHILD | WS_VISIBLE | SS_LEFT, 118, 4, 37, 8},
    {L"static", -1, L"表示速度：", WS_CHILD | WS_VISIBLE | SS_RIGHT, 2, 109, 40, 8},
    {L"edit", 120, L"60", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_LEFT, 43, 108, 24, 10},
    {L"button", 122, L"主モニタのみ", RADIO, 80, 109, 80, 8},
    {L"button", 123, L"モニタごと", RADIO, 80, 119, 80, 8},
    {L"button", 124, L"全モニタで１つ", RADIO, 80, 129, 80, 8},
    {L"button", 1, L"了解", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 36, 142, 38, 12},
    {L"button", 2, L"取消", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 102, 142, 38, 12},
};
#endif

static const Dialog DIALOGS[] = {
    {"SCRNSAVER", WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU, 0, 9, 71, 40,
     L"Hoplette", SCRNSAVER_CONTROLS, 6},
    {"BOWLSELECT", WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 26, 3, 110, 111,
     L"２個選択", BOWLSELECT_CONTROLS, 21},
    {"AboutDlg", WS_POPUP | WS_CLIPSIBLINGS | WS_BORDER, 1, 1, 49, 21,
     L"", ABOUT_CONTROLS, 1},
#ifdef HOPLETTE_SAVER_RESOURCES
    {"SAVERSETUP", WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 0, 0, 176, 157,
     L"Hoplette", SAVERSETUP_CONTROLS, 36},
#endif
};

static const void* LoadTemplate(const char* type, const char* name)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceExA(module, type, name, ENGLISH_US);
    if (found == nullptr)
        return nullptr;
    return LockResource(LoadResource(module, found));
}

static void CheckDialog(const Dialog& expected)
{
    const char* name = expected.name;
    const BYTE* bytes = static_cast<const BYTE*>(LoadTemplate(MAKEINTRESOURCEA(5), name)); // RT_DIALOG
    CHECK(bytes != nullptr, "%s is stored as a dialog under language 1033", name);
    if (bytes == nullptr)
        return;
    const DLGTEMPLATE* header = reinterpret_cast<const DLGTEMPLATE*>(bytes);
    // The extended template starts with 1, 0xFFFF.
    CHECK(!(reinterpret_cast<const WORD*>(bytes)[0] == 1 && reinterpret_cast<const WORD*>(bytes)[1] == 0xFFFF),
          "%s is a standard template", name);
    CHECK_EQ(header->style, expected.style, "%s window style", name);
    CHECK_EQ(header->style & DS_SETFONT, 0, "%s has no font", name);
    CHECK_EQ(header->dwExtendedStyle, 0, "%s extended style", name);
    CHECK_EQ(header->cdit, expected.controlCount, "%s control count", name);
    CHECK_EQ(header->x, expected.x, "%s x", name);
    CHECK_EQ(header->y, expected.y, "%s y", name);
    CHECK_EQ(header->cx, expected.width, "%s width", name);
    CHECK_EQ(header->cy, expected.height, "%s height", name);

    wchar_t field[64];
    const WORD* p = reinterpret_cast<const WORD*>(header + 1);
    p = ReadNameOrOrdinal(p, field, 64);
    CHECK(field[0] == L'\0', "%s has no menu", name);
    p = ReadNameOrOrdinal(p, field, 64);
    CHECK(field[0] == L'\0', "%s uses the standard dialog class", name);
    p = ReadNameOrOrdinal(p, field, 64);
    CHECK(lstrcmpW(field, expected.title) == 0, "%s title", name);

    int count = header->cdit < expected.controlCount ? header->cdit : expected.controlCount;
    for (int i = 0; i < count; ++i) {
        const Control& want = expected.controls[i];
        p = AlignToDword(p);
        const DLGITEMTEMPLATE* item = reinterpret_cast<const DLGITEMTEMPLATE*>(p);
        CHECK_EQ(item->style, want.style, "%s control %d style", name, i);
        CHECK_EQ(item->style & WS_GROUP, 0, "%s control %d has no WS_GROUP", name, i);
        CHECK_EQ(item->dwExtendedStyle, 0, "%s control %d extended style", name, i);
        CHECK_EQ(item->x, want.x, "%s control %d x", name, i);
        CHECK_EQ(item->y, want.y, "%s control %d y", name, i);
        CHECK_EQ(item->cx, want.width, "%s control %d width", name, i);
        CHECK_EQ(item->cy, want.height, "%s control %d height", name, i);
        CHECK_EQ(item->id, static_cast<WORD>(want.id), "%s control %d id", name, i);
        p = reinterpret_cast<const WORD*>(item + 1);
        p = ReadNameOrOrdinal(p, field, 64);
        CHECK(lstrcmpiW(field, want.className) == 0, "%s control %d class %ls", name, i, field);
        p = ReadNameOrOrdinal(p, field, 64);
        if (want.text != nullptr)
            CHECK(lstrcmpW(field, want.text) == 0, "%s control %d text", name, i);
        WORD extra = *p++;
        p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p) + extra);
    }
}

// --- The menu ------------------------------------------------------------------

struct MenuRow {
    int depth;        // 0: the top-level popup, 1: its items, 2: the nested popup's items
    WORD flags;       // MF_POPUP, MF_END; a separator is 0 with id 0 and no text
    int id;           // -1 for popups, which carry none
    const wchar_t* text;
};

static const MenuRow MENU_ROWS[] = {
    {0, MF_POPUP | MF_END, -1, L"&Hoplette"},
    {1, 0, 10029, L"&TestBournce"},
    {1, 0, 0, L""},
    {1, MF_POPUP, -1, L"&Bournce"},
    {2, 0, 10017, L"&Double"},
    {2, 0, 10010, L"&Earth"},
    {2, 0, 10011, L"&EarthAfrica"},
    {2, 0, 10012, L"&Jupiter"},
    {2, 0, 10013, L"&Mars"},
    {2, 0, 10014, L"&Venus"},
    {2, 0, 10015, L"&Saturn"},
    {2, 0, 10016, L"&Sun"},
    {2, MF_END, 10018, L"&Sphere"},
    {1, 0, 10026, L"&ImageSelect..."},
    {1, 0, 0, L""},
    {1, 0, 10023, L"&SetTime..."},
    {1, 0, 10024, L"Top&Most"},
    {1, MF_POPUP, -1, L"&Monitors"},
    {2, 0, 10030, L"&Primary"},
    {2, 0, 10031, L"&Each"},
    {2, MF_END, 10032, L"&Across all"},
    {1, 0, 0, L""},
    {1, 0, 10027, L"&Exit"},
    {1, 0, 0, L""},
    {1, MF_END, 10025, L"&About"},
};
constexpr int MENU_ROW_COUNT = sizeof MENU_ROWS / sizeof MENU_ROWS[0];

static int menuRowsRead;

// Reads one item list (up to its MF_END item) and compares each row in template order.
static const WORD* CheckMenuItems(const WORD* p, int depth)
{
    for (;;) {
        WORD flags = *p++;
        int id = -1;
        if (!(flags & MF_POPUP))
            id = *p++;
        const wchar_t* text = reinterpret_cast<const wchar_t*>(p);
        p += lstrlenW(text) + 1;
        int row = menuRowsRead++;
        if (row < MENU_ROW_COUNT) {
            const MenuRow& want = MENU_ROWS[row];
            CHECK_EQ(depth, want.depth, "menu row %d depth", row);
            CHECK_EQ(flags, want.flags, "menu row %d flags (no grayed, disabled or checked item)", row);
            CHECK_EQ(id, want.id, "menu row %d id", row);
            CHECK(lstrcmpW(text, want.text) == 0, "menu row %d text %ls", row, text);
        }
        if (flags & MF_POPUP)
            p = CheckMenuItems(p, depth + 1);
        if (flags & MF_END)
            return p;
    }
}

static void CheckMenuTemplate()
{
    const WORD* p = static_cast<const WORD*>(LoadTemplate(MAKEINTRESOURCEA(4), "PopupMenu")); // RT_MENU
    CHECK(p != nullptr, "PopupMenu is stored as a menu under language 1033");
    if (p == nullptr)
        return;
    CHECK_EQ(p[0], 0, "standard menu template version");
    CHECK_EQ(p[1], 0, "standard menu template header size");
    CheckMenuItems(p + 2, 0);
    CHECK_EQ(menuRowsRead, MENU_ROW_COUNT, "menu rows");
}

// The loaded menu as the program sees it: submenu 0 with twelve items, the
// nested popups third and eighth, reached by command id from the top.
static void CheckLoadedMenu()
{
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "popupmenu");
    CHECK(menu != nullptr, "the menu loads under a differently cased name");
    HMENU shown = GetSubMenu(menu, 0);
    CHECK_EQ(GetMenuItemCount(shown), 12, "items of the shown menu");
    CHECK_EQ(GetMenuItemID(shown, 6), IDM_TOPMOST, "TopMost stands seventh");
    CHECK_EQ(GetMenuItemCount(GetSubMenu(shown, 7)), 3, "items of the Monitors popup, right after TopMost");
    CHECK(GetMenuState(menu, IDM_MONITORS_ACROSS, MF_BYCOMMAND) != static_cast<UINT>(-1),
          "a Monitors item is found by command from the top menu");
    CHECK_EQ(GetMenuItemCount(GetSubMenu(shown, 2)), 9, "items of the nested popup");
    CHECK_EQ(GetMenuItemID(GetSubMenu(shown, 2), 0), IDM_DOUBLE, "Double stands first");
    CHECK(GetMenuState(menu, IDM_SPHERE, MF_BYCOMMAND) != static_cast<UINT>(-1),
          "a nested item is found by command from the top menu");
    DestroyMenu(menu);
}

static void CheckNamesIgnoreCase()
{
    HMODULE module = GetModuleHandleA(nullptr);
    const char* names[] = {"scrnsaver", "BowlSelect", "ABOUTDLG", "aboutdlg"};
    for (const char* name : names)
        CHECK(FindResourceA(module, name, MAKEINTRESOURCEA(5)) != nullptr, "dialog found as %s", name);
    // Every body at 200% too, found by the name the show asks for: its own and "_2X".
    for (int16_t mode = SHOW_EARTH; mode <= SHOW_SPHERE; ++mode) {
        char name[32];
        lstrcpyA(name, ShowModePicture(mode) != nullptr ? ShowModePicture(mode) : PairCodePicture(PAIR_SPHERE));
        lstrcatA(name, "_2X");
        HBITMAP picture = LoadBitmapA(module, name);
        BITMAP size = {};
        CHECK(picture != nullptr && GetObjectA(picture, sizeof size, &size) && size.bmWidth == 328
                  && size.bmHeight == 328, "%s is a 328 x 328 bitmap", name);
        DeleteObject(picture);
    }
}

// The file's own name in its version information; for the screen saver, its
// name in Windows' list of screen savers too.
static void CheckIdentity()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    static char info[8192];
    CHECK(GetFileVersionInfoA(path, 0, sizeof info, info), "version information is readable");
    char* text = nullptr;
    UINT length = 0;
#ifdef HOPLETTE_SAVER_RESOURCES
    const char* originalName = "Hoplette.scr";
    const char* description = "Hoplette screen saver - bouncing planets";
    char name[64] = "";
    CHECK_EQ(LoadStringA(GetModuleHandleA(nullptr), 1, name, sizeof name), 8, "string 1 is there");
    CHECK(std::strcmp(name, "Hoplette") == 0, "string 1 names the screen saver: \"%s\"", name);
#else
    const char* originalName = "Hoplette.exe";
    const char* description = "Hoplette - bouncing planets desktop toy";
    char name[64] = "";
    CHECK_EQ(LoadStringA(GetModuleHandleA(nullptr), 1, name, sizeof name), 0, "the program has no string 1");
#endif
    text = nullptr;
    VerQueryValueA(info, "\\StringFileInfo\\040904B0\\OriginalFilename", reinterpret_cast<void**>(&text), &length);
    CHECK(text != nullptr && std::strcmp(text, originalName) == 0, "original file name \"%s\"", text ? text : "");
    text = nullptr;
    VerQueryValueA(info, "\\StringFileInfo\\040904B0\\FileDescription", reinterpret_cast<void**>(&text), &length);
    CHECK(text != nullptr && std::strcmp(text, description) == 0, "file description \"%s\"", text ? text : "");
}

int main()
{
    for (const Dialog& dialog : DIALOGS)
        CheckDialog(dialog);
    CheckMenuTemplate();
    CheckLoadedMenu();
    CheckNamesIgnoreCase();
    CheckIdentity();
    return CheckSummary();
}
