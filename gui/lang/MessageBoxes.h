#pragma once

// Makes MsgBox show real message boxes: kind 1 an information box with OK, kind 2 a
// question with Yes and No. The button texts come from section "MsgBox" of the current
// language file (keys Ok, Yes, No), so a translated program asks in its own language.
void InstallMessageBoxes();
