// Ids shared by the resource script and the program.
#pragma once

// Menu commands. The picture commands 10010..10018 are the show modes.
#define IDM_EARTH        10010
#define IDM_EARTHAFRICA  10011
#define IDM_JUPITER      10012
#define IDM_MARS         10013
#define IDM_VENUS        10014
#define IDM_SATURN       10015
#define IDM_SUN          10016
#define IDM_DOUBLE       10017
#define IDM_SPHERE       10018
#define IDM_SETTIME      10023
#define IDM_TOPMOST      10024
#define IDM_ABOUT        10025
#define IDM_IMAGESELECT  10026
#define IDM_EXIT         10027
#define IDM_TESTBOURNCE  10029
// The Monitors submenu: ShowMonitors 0, 1 and 2 in this order.
#define IDM_MONITORS_PRIMARY 10030
#define IDM_MONITORS_EACH    10031
#define IDM_MONITORS_ACROSS  10032

// Controls of the SCRNSAVER dialog.
#define IDC_MINUTES      10028
#define IDC_SPEED        100

// Controls of the BOWLSELECT dialog: the radio of pair code c is c - 9910
// under "Pattern 1" and c - 9900 under "Pattern 2".
#define IDC_PATTERN1_FIRST 100
#define IDC_PATTERN1_LAST  107
#define IDC_PATTERN2_FIRST 110
#define IDC_PATTERN2_LAST  117

// The owner-drawn picture button that fills the About box.
#define IDC_ABOUT_PICTURE  100

// The speed box and the monitor radios (SaverMonitors 0, 1 and 2 in this
// order) of Hoplette.scr's SAVERSETUP dialog. Its show radios are the show
// modes, its picture radios those of BOWLSELECT.
#define IDC_SAVER_SPEED    120
#define IDC_SAVER_PRIMARY  122
#define IDC_SAVER_EACH     123
#define IDC_SAVER_ACROSS   124

// Statics that are never addressed.
#define IDC_STATIC       -1
