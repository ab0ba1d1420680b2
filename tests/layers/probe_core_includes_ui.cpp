// Must not compile: the core cannot see the Qt shell.
#include "app/ui/qt_text.h"
