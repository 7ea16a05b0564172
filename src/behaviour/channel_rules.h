// The channel rules: a channel's check box enables its frames, and its high alarm threshold is never left
// below its low one.
#pragma once

namespace pm {

class Form1;
class LangText;

// pressure_channel_Click: channel_frame, then the two alarm frames, follow the check box (0 disables).
void pressure_channel_Click(Form1& form, int channel);
// After the high threshold changed: a high below the low pushes the low down to it; then the captions.
void high_alarm_changed(Form1& form, const LangText& lang_text, int channel);
// After the low threshold changed: a low above the high pushes the high up to it; then the captions.
void low_alarm_changed(Form1& form, const LangText& lang_text, int channel);

}  // namespace pm
