/* Where everything stands and what colour the painted texts are. Places
   are x, y, width, height in the parent's client area. */
#ifndef OMBEX_LAYOUT_H
#define OMBEX_LAYOUT_H

#define FRAME_SIZE         330   /* main frame and panels are square */
#define TITLE_BUTTON_SIZE  15

/* The title buttons' top-left corners on the main frame. */
#define ABOUT_PLACE        309, 23
#define CLOSE_PLACE        309, 7
#define MINIMIZE_PLACE     292, 7

/* Where a panel stands in the main frame, and the rounded shape that fits
   the frame picture's opening. The region runs below the panel, so only its
   two upper corners are rounded. */
#define PANEL_X            18
#define PANEL_Y            (-10)
#define REGION_LEFT        0
#define REGION_TOP         30
#define REGION_RIGHT       300
#define REGION_BOTTOM      500
#define REGION_CORNER      147

/* The controls that both panels have, in the same places. */
#define SWITCH_PLACE       17, 35, 88, 18
#define CALCULATE_PLACE    103, 289, 100, 25
#define NUMBER_BOX_PLACE   55, 75, 200, 20
#define RESULT_BOX_PLACE   93, 230, 120, 20

/* The painted texts: above the first box, others, the result's, the red
   line that answers misuse; and the check boxes' text. */
#define RESULT_LABEL_AT    131, 215
#define MESSAGE_Y          260
#define FIRST_LABEL_COLOUR RGB(41, 126, 233)
#define LABEL_COLOUR       RGB(185, 39, 233)
#define RESULT_COLOUR      RGB(255, 100, 0)
#define MESSAGE_COLOUR     RGB(255, 0, 0)
#define CHECK_TEXT_COLOUR  RGB(255, 0, 128)

#endif
