// Resource ids of TONVEX.OCX, shared by the resource script and the code that loads them.
#pragma once

#define IDR_TYPELIB 1

#define IDB_TOOLBOX 1
#define IDB_CONTROL_PICTURE 221

#define IDI_TONVEX 1

#define IDS_CONTROL_TYPE_NAME 1
#define IDS_PAGE_TYPE_NAME 2
#define IDS_PAGE_CAPTION 200

#define IDD_ABOUTBOX 1
#define IDD_PROPPAGE 200

// "WAVE" resources of the sixteen tone images, in the order of the tone table.
#define IDR_TONE_FIRST 205
#define IDR_TONE_LAST 220
