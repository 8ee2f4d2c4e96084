#include "peakmemory.h"

#include <sys/resource.h>

long peakmemory() {
    rusage r;
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss;
}
