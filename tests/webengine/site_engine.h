#pragma once

#include "tests/testsupport/local_engine.h"

// The local engine that the web engine of this test program reaches for every
// address, as its proxy. One for the whole program: the web engine reads its
// proxy once, when it starts.
LocalEngine& site_engine();
