/* Resource numbers and control identifiers, shared by the C++ code and the
   resource script. */
#ifndef OMBEX_RESOURCE_H
#define OMBEX_RESOURCE_H

/* Bitmaps */
#define IDB_FRAME               111 /* main frame background, FRAME_SIZE square */
#define IDB_CLOSE               112 /* close title button face */
#define IDB_MINIMIZE            115 /* minimize title button face */
#define IDB_ABOUT               117 /* About title button face */
#define IDB_CALCULATOR_SWITCH   122 /* calculator's switch button face */
#define IDB_CONVERTER_SWITCH    123 /* converter's switch button face */
#define IDB_PANEL               133 /* panel background, 480 x 300 */

/* Icon group and its images */
#define IDI_OMBEX               103
#define IDI_OMBEX_16            1
#define IDI_OMBEX_32            2
#define IDI_OMBEX_48            3
#define IDI_OMBEX_64            4
#define IDI_OMBEX_128           5
#define IDI_OMBEX_256           6

/* Cursor groups and their images */
#define IDC_DRAG                105 /* shown while the main frame is dragged */
#define IDC_POINTER             107 /* class cursor of every window class */
#define IDC_DRAG_IMAGE          7
#define IDC_POINTER_IMAGE       8

/* Manifest and version block */
#define IDR_MANIFEST            1
#define IDR_VERSION             1

/* Calculator radio buttons */
#define IDC_ADD                 3000
#define IDC_SUBTRACT            3001
#define IDC_MULTIPLY            3002
#define IDC_DIVIDE              3003

/* Converter check boxes */
#define IDC_CELSIUS_TO_FAHRENHEIT   4000
#define IDC_FAHRENHEIT_TO_CELSIUS   4001
#define IDC_INCH_TO_CM              4002
#define IDC_CM_TO_INCH              4003
#define IDC_METRES_TO_MILES         4004
#define IDC_MILES_TO_METRES         4005

#endif
