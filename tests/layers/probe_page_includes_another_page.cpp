// Must not compile: a page cannot see another page.
#include "pages/file_transfer_page.h"
