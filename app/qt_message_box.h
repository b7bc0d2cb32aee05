#pragma once

#include "support/window.h"

// Shows `message` in a message box without owner window and waits for the answer.
// Closing the box without a button answers as its Cancel (or only) button would.
MessageAnswer show_message_box(const Message& message);
