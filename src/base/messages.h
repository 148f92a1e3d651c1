// The message numbers that the rules built without the Windows headers look
// at: the values of winuser.h, named once here.
#pragma once
#include <cstdint>

constexpr uint32_t MESSAGE_CLOSE = 0x0010;          // WM_CLOSE
constexpr uint32_t MESSAGE_ACTIVATEAPP = 0x001C;    // WM_ACTIVATEAPP
constexpr uint32_t MESSAGE_DISPLAYCHANGE = 0x007E;  // WM_DISPLAYCHANGE
constexpr uint32_t MESSAGE_KEYDOWN = 0x0100;        // WM_KEYDOWN, the first keyboard message
constexpr uint32_t MESSAGE_KEYUP = 0x0101;          // WM_KEYUP
constexpr uint32_t MESSAGE_SYSKEYDOWN = 0x0104;     // WM_SYSKEYDOWN
constexpr uint32_t MESSAGE_SYSKEYUP = 0x0105;       // WM_SYSKEYUP
constexpr uint32_t MESSAGE_LAST_KEYBOARD = 0x0108;  // WM_KEYLAST of older headers
constexpr uint32_t MESSAGE_SYSCOMMAND = 0x0112;     // WM_SYSCOMMAND
constexpr uint32_t MESSAGE_MOUSEMOVE = 0x0200;      // WM_MOUSEMOVE, the first mouse message
constexpr uint32_t MESSAGE_LBUTTONDOWN = 0x0201;    // WM_LBUTTONDOWN
constexpr uint32_t MESSAGE_LBUTTONUP = 0x0202;      // WM_LBUTTONUP
constexpr uint32_t MESSAGE_RBUTTONDOWN = 0x0204;    // WM_RBUTTONDOWN
constexpr uint32_t MESSAGE_RBUTTONUP = 0x0205;      // WM_RBUTTONUP
constexpr uint32_t MESSAGE_MBUTTONDOWN = 0x0207;    // WM_MBUTTONDOWN
constexpr uint32_t MESSAGE_MBUTTONUP = 0x0208;      // WM_MBUTTONUP
constexpr uint32_t MESSAGE_MBUTTONDBLCLK = 0x0209;  // WM_MBUTTONDBLCLK
constexpr uint32_t MESSAGE_MOUSEWHEEL = 0x020A;     // WM_MOUSEWHEEL
constexpr uint32_t MESSAGE_XBUTTONDOWN = 0x020B;    // WM_XBUTTONDOWN
constexpr uint32_t MESSAGE_XBUTTONUP = 0x020C;      // WM_XBUTTONUP
constexpr uint32_t MESSAGE_MOUSEHWHEEL = 0x020E;    // WM_MOUSEHWHEEL

// The pointer messages of Windows 8 and later (a finger, a pen), which a
// window gets instead of mouse messages unless it passes them on to
// DefWindowProc: WM_NCPOINTERUPDATE to WM_POINTERHWHEEL, those posted among
// them included.
constexpr uint32_t MESSAGE_FIRST_POINTER = 0x0241;  // WM_NCPOINTERUPDATE
constexpr uint32_t MESSAGE_POINTERDOWN = 0x0246;    // WM_POINTERDOWN
constexpr uint32_t MESSAGE_LAST_POINTER = 0x024F;   // WM_POINTERHWHEEL

// A pointer message's wParam holds its POINTER_MESSAGE_FLAG_* bits in its
// upper word; INCONTACT: a finger or a pen's tip on the screen, not hovering.
constexpr uint32_t POINTER_IN_CONTACT = 0x0004;     // POINTER_MESSAGE_FLAG_INCONTACT

// Whether a pointer message's wParam says it is in contact (IS_POINTER_INCONTACT_WPARAM).
constexpr bool PointerInContact(uint64_t wParam)
{
    return ((wParam >> 16) & POINTER_IN_CONTACT) != 0;
}

// WM_SYSCOMMAND's commands, in wParam's upper twelve bits.
constexpr uint32_t COMMAND_CLOSE = 0xF060;          // SC_CLOSE
constexpr uint32_t COMMAND_SCREENSAVE = 0xF140;     // SC_SCREENSAVE
