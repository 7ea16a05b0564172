#include "behaviour/channel_rules.h"

#include "lang/lang_text.h"
#include "window/form1.h"

namespace pm {

void pressure_channel_Click(Form1& form, int channel) {
    form.channel_frame(channel).set_enabled(form.pressure_channel(channel).value() != 0);
    form.high_pressure_frame(channel).set_enabled(form.channel_frame(channel).enabled());
    form.low_pressure_frame(channel).set_enabled(form.channel_frame(channel).enabled());
}

void high_alarm_changed(Form1& form, const LangText& lang_text, int channel) {
    const int high = form.high_pressure_scroll(channel).value();
    const int low = form.low_pressure_scroll(channel).value();
    if (high < low) {
        // Raises the low bar's Change inside this assignment; that handler finds nothing to push.
        form.low_pressure_scroll(channel).set_value(form.high_pressure_scroll(channel).value());
    }
    update_alarm_captions(form, lang_text, channel);
}

void low_alarm_changed(Form1& form, const LangText& lang_text, int channel) {
    const int low = form.low_pressure_scroll(channel).value();
    const int high = form.high_pressure_scroll(channel).value();
    if (low > high) {
        form.high_pressure_scroll(channel).set_value(form.low_pressure_scroll(channel).value());
    }
    update_alarm_captions(form, lang_text, channel);
}

}  // namespace pm
