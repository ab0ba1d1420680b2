// Must not compile: a page cannot see the data view's internals.
#include "dataview/dialog/cctwx.h"
