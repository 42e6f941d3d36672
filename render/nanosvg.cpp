// NanoSVG's implementation, compiled once here and without our warnings: third-party code,
// kept as it came but for one switch (third_party/nanosvg/README). The copies name none of the C
// headers they use; they come first here.
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// SDL2_image marks the comparison it gives qsort with SDL's calling convention: the C one.
#define SDLCALL

#define NANOSVG_IMPLEMENTATION
#include "third_party/nanosvg/nanosvg.h"
// The pictures stay premultiplied, as the view composes them (third_party/nanosvg/README).
#define NSVG_KEEP_PREMULTIPLIED
#define NANOSVGRAST_IMPLEMENTATION
#include "third_party/nanosvg/nanosvgrast.h"
