/* The program's version, and the only place it is written: the About text,
   the version block and the frame's lettering that tools/skin paints, make
   dist, the zip's name and the package manifests all read it from here.
   Scripts take the quoted values of these lines, so keep them one a line. */
#ifndef OMBEX_VERSION_H
#define OMBEX_VERSION_H

#define OMBEX_VERSION       "2.0.3"
#define OMBEX_VERSION_TAG   "FINAL"
/* What the About box and the version block show. */
#define OMBEX_VERSION_TEXT  OMBEX_VERSION "." OMBEX_VERSION_TAG

#endif
