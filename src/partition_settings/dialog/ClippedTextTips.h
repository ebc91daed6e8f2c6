// Tooltips with the whole text of a caption that its control's size clips:
// a label's caption, a drop-down list's chosen entry and an entry of an open
// list. A text that fits shows no tooltip; the controls keep their sizes.
#pragma once

class QWidget;

namespace clippedTextTips {

// Watches every label and drop-down list under the form, and their open lists.
void install(QWidget *form);

} // namespace clippedTextTips
