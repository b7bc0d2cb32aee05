#pragma once

#include <QString>

// The article body the form starts with: how the check judges and how to set it up.
QString usage_text();
