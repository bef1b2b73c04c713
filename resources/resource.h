/* Numeric resource ids of the control desk, shared by desk.rc and the C++
   code (which includes this file; the build puts resources/ on the include
   path). */
#ifndef DESK_RESOURCE_H
#define DESK_RESOURCE_H

/* Window icons: the large one for the window class, the small one for the
   caption and the notification area. */
#define IDI_DESK_LARGE          107
#define IDI_DESK_SMALL          108

/* String 109 holds the main window's class name; accelerator table 109
   shares the number. */
#define IDS_MAIN_CLASS_NAME     109
#define IDR_MAIN_ACCELERATORS   109

/* "&Close Panel", the menu command the accelerator table points at. */
#define IDM_CLOSE_PANEL         1004

/* The dialog that asks for a setup's name, and its name field. */
#define IDD_SAVE_SETUP          140
#define IDC_SETUP_NAME          141

/* "More Setups...": the list of every setup, and its Delete button (Recall
   is IDOK, Close IDCANCEL). */
#define IDD_MORE_SETUPS         142
#define IDC_SETUPS_LIST         143
#define IDC_DELETE_SETUP        144

/* The four faces of the on/off switch class, one bitmap each. */
#define IDB_ONOFF_PRESSED_OFF   129
#define IDB_ONOFF_RELEASED_OFF  130
#define IDB_ONOFF_RELEASED_ON   131
#define IDB_ONOFF_PRESSED_ON    132

#endif /* DESK_RESOURCE_H */
