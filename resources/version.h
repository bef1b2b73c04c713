/* The desk's version, in one place: the programs' version record and the
   main window's title take it from here, and scripts/package reads
   DESK_VERSION_TEXT for the setup's and the zip's names and the entry in
   Add/Remove Programs. The text must say MAJOR.MINOR (scripts/package
   checks). */
#ifndef DESK_VERSION_H
#define DESK_VERSION_H

#define DESK_VERSION_MAJOR 1
#define DESK_VERSION_MINOR 9
#define DESK_VERSION_TEXT "1.9"
/* The release date the title shows after the version. */
#define DESK_VERSION_DATE "07/06/2000"

#endif /* DESK_VERSION_H */
