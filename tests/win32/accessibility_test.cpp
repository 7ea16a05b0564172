// The editor's window as a screen reader reads it: every control's accessible object, fetched the way a
// client does (WM_GETOBJECT through AccessibleObjectFromWindow) from this process, since Wine hands no
// accessible object to another one. The window needs a display: under Wine the test runs on Xvfb.
#include <windows.h>
// after windows.h, which it needs
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app.h"
#include "doubles/headless_services.h"
#include "example_settings.h"
#include "lang/accessible_names.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_text.h"
#include "window/win32/win32_window.h"

namespace pm {
namespace {

namespace fs = std::filesystem;

// The example settings file (channel 3 off; channel 2's thresholds at 45), in English.
const std::string settings = [] {
    std::string s = test::example_settings;
    return s.replace(s.find("LANGUAGE=2"), 10, "LANGUAGE=0");
}();

// By ControlKind: frame, check box, scroll bar, text box, combo box, picture button.
constexpr LONG roles[] = {ROLE_SYSTEM_GROUPING, ROLE_SYSTEM_CHECKBUTTON, ROLE_SYSTEM_SCROLLBAR,
                          ROLE_SYSTEM_TEXT,     ROLE_SYSTEM_COMBOBOX,    ROLE_SYSTEM_PUSHBUTTON};

// What a client reads of the object itself; no value where get_accValue gives none.
struct Read {
    HRESULT found = E_FAIL;
    std::u16string name;
    LONG role = 0;
    std::optional<std::u16string> value;
    LONG state = 0;
};

std::optional<std::u16string> take(BSTR text, HRESULT result) {
    std::optional<std::u16string> out;
    if (result == S_OK && text) out.emplace(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
    SysFreeString(text);
    return out;
}

Read read(HWND window) {
    Read r;
    IAccessible* object = nullptr;
    r.found = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&object));
    if (r.found != S_OK || !object) return r;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    HRESULT result = object->get_accName(self, &text);
    r.name = take(text, result).value_or(u"");
    text = nullptr;
    result = object->get_accValue(self, &text);
    r.value = take(text, result);
    VARIANT v;
    VariantInit(&v);
    if (object->get_accRole(self, &v) == S_OK && v.vt == VT_I4) r.role = v.lVal;
    VariantClear(&v);
    if (object->get_accState(self, &v) == S_OK && v.vt == VT_I4) r.state = v.lVal;
    VariantClear(&v);
    object->Release();
    return r;
}

std::u16string digits(int value) {
    const std::string s = std::to_string(value);
    return std::u16string(s.begin(), s.end());
}

// Window events that clients hear, from our controls' objects.
struct Heard {
    DWORD event;
    HWND window;
    bool operator==(const Heard&) const = default;
};
std::vector<Heard>* heard = nullptr;

void CALLBACK on_event(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (heard && object == OBJID_CLIENT && child == CHILDID_SELF) heard->push_back({event, window});
}

struct Accessibility : ::testing::Test {
    fs::path folder =
        fs::temp_directory_path() / ("pm accessibility " + std::to_string(GetCurrentProcessId()));
    std::unique_ptr<Win32FileSystem> files;
    Win32Text text;
    Win32Screen screen;
    Win32Window window{GetModuleHandleW(nullptr), text};
    HeadlessUser user;         // the message boxes, the beep and the programs; screen and window are real
    std::unique_ptr<App> app;  // ended in TearDown, after the window that shows its form

    void SetUp() override {
        fs::create_directories(folder);
        std::ofstream(folder / "SETTINGS.TXT", std::ios::binary) << settings;
        const std::wstring path = folder.wstring();
        files = std::make_unique<Win32FileSystem>(std::u16string(path.begin(), path.end()));
        app = std::make_unique<App>(user.services(*files, text, screen, window));
        ASSERT_EQ(app->Main().window_error, 0u);
        ASSERT_TRUE(user.boxes.shown.empty());
        pump();
    }
    void TearDown() override {
        if (window.hwnd()) DestroyWindow(window.hwnd());
        pump();
        app.reset();
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    Form1& form() { return app->form(); }
    // Control windows are numbered 1000 + TabIndex among their container's children.
    HWND window_of(const Control& c) {
        return GetDlgItem(c.container() ? window_of(*c.container()) : window.hwnd(), 1000 + c.tab_index());
    }
    // Messages, and with them the events that an out-of-context hook hears.
    static void pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != WM_QUIT) DispatchMessageW(&message);
        }
    }

    // Every control: named as the core names it, in its kind's role, unavailable exactly while it takes no
    // input (in a channel that is off too), a bar's value its threshold, a box checked as it shows.
    void check_every_control(const char* when) {
        for (const Control* c : form().controls()) {
            SCOPED_TRACE(std::string(when) + ", tab index " + std::to_string(c->tab_index()));
            const Read r = read(window_of(*c));
            ASSERT_EQ(r.found, S_OK);
            EXPECT_FALSE(r.name.empty());
            EXPECT_EQ(r.name, accessible_name(form(), *c));
            EXPECT_EQ(r.role, roles[static_cast<int>(c->kind())]);
            EXPECT_EQ((r.state & STATE_SYSTEM_UNAVAILABLE) != 0, !c->takes_input());
            if (c->kind() == ControlKind::scroll_bar) {
                EXPECT_EQ(r.value, digits(static_cast<const HScrollBar*>(c)->value()));
            }
            if (c->kind() == ControlKind::check_box) {
                EXPECT_EQ((r.state & STATE_SYSTEM_CHECKED) != 0,
                          static_cast<const CheckBox*>(c)->value() == 1);
            }
        }
    }
};

TEST_F(Accessibility, EveryControlReadsRightInEnglishInGermanAndAsChannelsGoOffAndOn) {
    using Get = std::function<Control&(Form1&)>;
    const struct {
        Get get;
        std::u16string_view english, german, value;
    } spots[] = {
        {[](Form1& f) -> Control& { return f.Combo1(); }, u"Language", u"Sprache", u""},
        {[](Form1& f) -> Control& { return f.high_pressure_scroll(2); }, u"High pressure alarm (45Pa)",
         u"Hochdruck-alarm (45Pa)", u"45"},
        {[](Form1& f) -> Control& { return f.Text1(1); }, u"SMS Number 1", u"SMS-Nummer 1", u"0123456789"},
        {[](Form1& f) -> Control& { return f.Command1(); }, u"Open the DATA folder", u"Ordner DATA öffnen",
         u""},
        {[](Form1& f) -> Control& { return f.Command2(); }, u"Products web page", u"Produkt-Webseite", u""},
    };
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof(combo);
    ASSERT_TRUE(GetComboBoxInfo(window_of(form().Combo1()), &combo));
    for (bool german : {false, true}) {
        if (german) form().Combo1().set_list_index(2);
        check_every_control(german ? "German" : "English");
        for (const auto& spot : spots) {
            const Read r = read(window_of(spot.get(form())));
            EXPECT_EQ(r.name, german ? spot.german : spot.english);
            if (!spot.value.empty()) {
                EXPECT_EQ(r.value, std::u16string(spot.value));
            }
        }
        // The field inside the language list, where the typing happens, is named like the list.
        EXPECT_EQ(read(combo.hwndItem).name, german ? u"Sprache" : u"Language");
    }
    form().pressure_channel(1).set_value(0);
    form().pressure_channel(3).set_value(1);
    ASSERT_FALSE(form().high_pressure_scroll(1).takes_input());
    check_every_control("channel 1 off, 3 on");
}

TEST_F(Accessibility, ClientsHearOfEveryRenamedControlAndOfTheBarsNewValue) {
    std::vector<Heard> events;
    heard = &events;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, on_event,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    const HWND bar = window_of(form().high_pressure_scroll(2));
    const struct {
        const char* step;
        std::function<void(Form1&)> change;
        bool bar_moves;
    } steps[] = {
        {"threshold", [](Form1& f) { f.high_pressure_scroll(2).set_value(70); }, true},
        {"language", [](Form1& f) { f.Combo1().set_list_index(2); }, false},
    };
    for (const auto& s : steps) {
        std::vector<std::u16string> before;
        for (const Control* c : form().controls())
            before.push_back(accessible_name(form(), *c));
        events.clear();
        s.change(form());
        pump();
        for (std::size_t i = 0; i < before.size(); ++i) {
            const Control& c = *form().controls()[i];
            const bool renamed = accessible_name(form(), c) != before[i];
            EXPECT_EQ(std::count(events.begin(), events.end(), Heard{EVENT_OBJECT_NAMECHANGE, window_of(c)}),
                      renamed ? 1 : 0)
                << s.step << ", tab index " << c.tab_index();
        }
        // At least once: the system's scroll bar may tell of its new position as well.
        EXPECT_EQ(std::count(events.begin(), events.end(), Heard{EVENT_OBJECT_VALUECHANGE, bar}) > 0,
                  s.bar_moves)
            << s.step;
    }
    UnhookWinEvent(hook);
    heard = nullptr;
}

// Object navigation (screen readers, Inspect, UI Automation's proxy) walks a frame's children through
// AccessibleChildren: each comes back as an object of its own, named and in its role as the control, and
// switching a channel off is heard as a change of state of every control that stops taking input.
TEST_F(Accessibility, AFramesChildrenAreObjectsAndAChannelOffIsHeard) {
    const FrameControl& frame = form().channel_frame(2);
    IAccessible* object = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(window_of(frame), static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
              S_OK);
    std::vector<std::u16string> expected, found;
    for (const Control* c : form().controls()) {
        if (c->container() == &frame) expected.push_back(accessible_name(form(), *c));
    }
    ASSERT_FALSE(expected.empty());
    VARIANT children[16];
    LONG got = 0;
    ASSERT_TRUE(SUCCEEDED(AccessibleChildren(object, 0, 16, children, &got)));
    object->Release();
    for (LONG i = 0; i < got; ++i) {
        ASSERT_EQ(children[i].vt, VT_DISPATCH) << "child " << i;
        IAccessible* child = nullptr;
        ASSERT_EQ(
            children[i].pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&child)),
            S_OK);
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        found.push_back(take(name, child->get_accName(self, &name)).value_or(u""));
        VARIANT role;
        VariantInit(&role);
        EXPECT_EQ(child->get_accRole(self, &role), S_OK);
        EXPECT_TRUE(role.vt == VT_I4 && role.lVal != ROLE_SYSTEM_CLIENT) << "child " << i;
        child->Release();
        VariantClear(&children[i]);
    }
    std::sort(expected.begin(), expected.end());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, expected);

    std::vector<Heard> events;
    heard = &events;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE, nullptr,
                                         on_event, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    std::vector<bool> before;
    for (const Control* c : form().controls())
        before.push_back(c->takes_input());
    form().pressure_channel(2).set_value(0);
    pump();
    for (std::size_t i = 0; i < before.size(); ++i) {
        const Control& c = *form().controls()[i];
        const bool changed = c.takes_input() != before[i];
        EXPECT_EQ(std::count(events.begin(), events.end(), Heard{EVENT_OBJECT_STATECHANGE, window_of(c)}) > 0,
                  changed)
            << "tab index " << c.tab_index();
    }
    EXPECT_FALSE(form().high_pressure_scroll(2).takes_input());
    UnhookWinEvent(hook);
    heard = nullptr;
}

// The enumerator of a frame's children is a part of the frame's object: it gives back the object itself,
// and both have one identity.
TEST_F(Accessibility, TheChildEnumeratorGivesBackItsObject) {
    IAccessible* object = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(window_of(form().channel_frame(1)), static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
              S_OK);
    IEnumVARIANT* children = nullptr;
    ASSERT_EQ(object->QueryInterface(__uuidof(IEnumVARIANT), reinterpret_cast<void**>(&children)), S_OK);
    IAccessible* back = nullptr;
    EXPECT_EQ(children->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&back)), S_OK);
    EXPECT_EQ(back, object);
    IUnknown* identity[2] = {};
    object->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(&identity[0]));
    children->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(&identity[1]));
    EXPECT_EQ(identity[0], identity[1]);
    for (IUnknown* held : {static_cast<IUnknown*>(back), identity[0], identity[1],
                           static_cast<IUnknown*>(children), static_cast<IUnknown*>(object)}) {
        if (held) held->Release();
    }
}

// A late-bound client (IDispatch) finds the members by name and reads the control's own name and role, with
// the child given or left out: a picture button's name (the system's object has none) and a frame's role
// (a client area to the system).
TEST_F(Accessibility, LateBoundClientsReadTheControlsOwnNameAndRole) {
    const struct {
        const wchar_t* name;
        DISPID id;
    } members[] = {{L"ACCNAME", DISPID_ACC_NAME}, {L"accRole", DISPID_ACC_ROLE}};
    for (const Control* control : {static_cast<const Control*>(&form().Command1()),
                                   static_cast<const Control*>(&form().channel_frame(2))}) {
        IAccessible* object = nullptr;
        ASSERT_EQ(AccessibleObjectFromWindow(window_of(*control), static_cast<DWORD>(OBJID_CLIENT),
                                             __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
                  S_OK);
        for (const auto& member : members) {
            SCOPED_TRACE("tab index " + std::to_string(control->tab_index()) + ", " +
                         std::string(member.name, member.name + wcslen(member.name)));
            DISPID id = 0;
            auto* name = const_cast<LPOLESTR>(member.name);
            EXPECT_EQ(object->GetIDsOfNames(IID{}, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
            EXPECT_EQ(id, member.id);
            for (bool given : {false, true}) {
                VARIANT child;
                VariantInit(&child);
                child.vt = VT_I2;  // converted, as Invoke's arguments are
                child.iVal = CHILDID_SELF;
                DISPPARAMS params{given ? &child : nullptr, nullptr, given ? 1u : 0u, 0};
                VARIANT answer;
                VariantInit(&answer);
                ASSERT_EQ(object->Invoke(member.id, IID{}, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &params,
                                         &answer, nullptr, nullptr),
                          S_OK)
                    << "child given: " << given;
                if (member.id == DISPID_ACC_NAME) {
                    ASSERT_EQ(answer.vt, VT_BSTR);
                    EXPECT_EQ(take(answer.bstrVal, S_OK), accessible_name(form(), *control));
                } else {
                    EXPECT_EQ(answer.vt, VT_I4);
                    EXPECT_EQ(answer.lVal, roles[static_cast<int>(control->kind())]);
                    VariantClear(&answer);
                }
            }
        }
        object->Release();
    }
}

// A client may keep an object after the window has gone: it reaches no control then, and fails.
TEST_F(Accessibility, AnObjectKeptPastItsWindowAnswersWithoutItsControl) {
    IAccessible* object = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(window_of(form().Text5()), static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
              S_OK);
    DestroyWindow(window.hwnd());
    pump();
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    EXPECT_TRUE(FAILED(object->get_accName(self, &name)));
    EXPECT_EQ(name, nullptr);
    object->Release();
}

}  // namespace
}  // namespace pm
