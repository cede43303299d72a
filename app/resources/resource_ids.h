// Identities of Dorvane.exe's resources and of its dialogs' controls, shared by the resource
// script and the windows.
#pragma once

// The program icon is the first icon of the module, so the shell shows it for the program.
#define IDI_PROGRAM 1

#define IDD_PREFERENCE 101
#define IDD_ABOUT 102

// Preference
#define IDC_CMB_COM 1001
#define IDC_TXT_MDN 1002
#define IDC_CMB_MAC 1003
#define IDC_CMD_OK 1004
#define IDC_CMD_CANCEL 1005
// The labels shown in front of the three fields when there is no picture.
#define IDC_LBL_COM 1011
#define IDC_LBL_MDN 1012
#define IDC_LBL_MAC 1013

// frmAbout; its cmdOK is IDOK.
#define IDC_PIC_ICON 2001
#define IDC_LBL_TITLE 2002
#define IDC_LBL_VERSION 2003
#define IDC_LBL_DESCRIPTION 2004
#define IDC_LINE1 2005
#define IDC_LBL_DISCLAIMER 2006
