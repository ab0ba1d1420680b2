// Must not compile: a page cannot see the data view's internals.
#include "dataview/chart_painter.h"
