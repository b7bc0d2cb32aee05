#pragma once

class QLineEdit;

// Makes `edit` accept only whole-number typing: printable characters other than
// the ten digits and the minus sign are dropped as they are typed; control keys
// (backspace, arrows, shortcuts) work as usual. Pasted or set text is not checked,
// since every reader converts the text at the moment of use.
void restrict_to_whole_number_typing(QLineEdit* edit);
