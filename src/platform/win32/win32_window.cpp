#include "platform/win32/win32_window.h"

#include <commctrl.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "platform/win32/win32_text.h"
#include "resource.h"
#include "window/pixel_layout.h"

namespace pm {

namespace {

constexpr DWORD window_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

const wchar_t* w(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

std::u16string window_text(HWND hwnd) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, u'\0');
    const int n =
        GetWindowTextW(hwnd, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return text;
}

void set_text_if_changed(HWND hwnd, const std::u16string& text) {
    if (window_text(hwnd) != text) SetWindowTextW(hwnd, w(text));
}

// Per-monitor DPI functions exist from Windows 10 1607 on; older systems get the system DPI.
template <class F>
F user32_function(const char* name) {
    return reinterpret_cast<F>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int system_dpi() {
    using GetDpiForSystemFn = UINT(WINAPI*)();
    static const auto get = user32_function<GetDpiForSystemFn>("GetDpiForSystem");
    if (get) return static_cast<int>(get());
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int window_dpi(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto get = user32_function<GetDpiForWindowFn>("GetDpiForWindow");
    const int dpi = get && hwnd ? static_cast<int>(get(hwnd)) : 0;
    return dpi > 0 ? dpi : system_dpi();
}

RECT window_rect_for_client(int dpi) {
    const PixelRect client = client_pixels(dpi);
    RECT r{0, 0, client.width, client.height};
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = user32_function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    if (adjust) {
        adjust(&r, window_style, FALSE, 0, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&r, window_style, FALSE, 0);
    }
    return r;
}

int twips_position_to_pixels(float twips, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

}  // namespace

Win32Window::Win32Window(HINSTANCE instance, Win32Text& text) : instance_(instance), text_(text) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSEXW main{};
    main.cbSize = sizeof(main);
    main.lpfnWndProc = window_proc;
    main.hInstance = instance;
    main.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
    main.hIconSm =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    main.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = class_name;
    RegisterClassExW(&main);

    WNDCLASSEXW frame{};
    frame.cbSize = sizeof(frame);
    frame.lpfnWndProc = frame_proc;
    frame.hInstance = instance;
    frame.hCursor = main.hCursor;
    frame.lpszClassName = frame_class_name;
    RegisterClassExW(&frame);
}

Win32Window::~Win32Window() {
    if (window_) DestroyWindow(window_);
    if (font_) DeleteObject(font_);
    for (HICON icon : icons_) {
        if (icon) DestroyIcon(icon);
    }
}

int Win32Window::dpi() const {
    return current_dpi_;
}

SysError Win32Window::show_modeless(Form1& form) {
    form_ = &form;
    current_dpi_ = system_dpi();
    const RECT r = window_rect_for_client(current_dpi_);
    window_ = CreateWindowExW(0, class_name, w(form.caption()), window_style,
                              twips_position_to_pixels(form.left(), current_dpi_),
                              twips_position_to_pixels(form.top(), current_dpi_), r.right - r.left,
                              r.bottom - r.top, nullptr, nullptr, instance_, this);
    if (!window_) {
        form_ = nullptr;
        const DWORD error = GetLastError();
        return error ? error : ERROR_INVALID_WINDOW_HANDLE;
    }
    // The window may have opened on a monitor whose DPI differs from the system's; Windows sends no
    // WM_DPICHANGED for that at creation.
    const int actual = window_dpi(window_);
    if (actual != current_dpi_) {
        current_dpi_ = actual;
        const RECT fitted = window_rect_for_client(actual);
        SetWindowPos(window_, nullptr, 0, 0, fitted.right - fitted.left, fitted.bottom - fitted.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    font_ = make_font(current_dpi_);
    create_controls();
    load_icons();
    form.attach_view(this);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    SetFocus(hwnd_of(form.Combo1()));
    return ERROR_SUCCESS;
}

int Win32Window::run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (pre_translate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void Win32Window::create_controls() {
    for (Control* c : form_->controls()) {
        HWND parent = c->container() ? hwnd_of(*c->container()) : window_;
        const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(first_control_id + c->tab_index()));
        const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        // Created in place: moving 37 windows after creating them costs start-up time for nothing.
        const PixelRect r = placement(*c, dpi());
        HWND hwnd = nullptr;
        switch (c->kind()) {
            case ControlKind::frame:
                hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, frame_class_name,
                                       w(static_cast<FrameControl*>(c)->caption()), child | WS_CLIPCHILDREN,
                                       r.x, r.y, r.width, r.height, parent, id, instance_, this);
                break;
            case ControlKind::check_box: {
                auto* box = static_cast<CheckBox*>(c);
                hwnd = CreateWindowExW(0, WC_BUTTONW, w(box->caption()), child | WS_TABSTOP | BS_3STATE, r.x,
                                       r.y, r.width, r.height, parent, id, instance_, nullptr);
                SendMessageW(hwnd, BM_SETCHECK, static_cast<WPARAM>(box->value()), 0);
                break;
            }
            case ControlKind::scroll_bar: {
                auto* bar = static_cast<HScrollBar*>(c);
                hwnd = CreateWindowExW(0, WC_SCROLLBARW, nullptr, child | WS_TABSTOP | SBS_HORZ, r.x, r.y,
                                       r.width, r.height, parent, id, instance_, nullptr);
                // No page: the thumb keeps the system's fixed size whatever the range.
                SCROLLINFO info{
                    sizeof(info), SIF_RANGE | SIF_POS | SIF_PAGE, bar->min(), bar->max(), 0, bar->value(), 0};
                SetScrollInfo(hwnd, SB_CTL, &info, FALSE);
                break;
            }
            case ControlKind::text_box: {
                auto* box = static_cast<TextBox*>(c);
                hwnd = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, w(box->text()),
                                       child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, r.x, r.y, r.width,
                                       r.height, parent, id, instance_, nullptr);
                // Limits typing and pasting only; text the program sets is kept whole.
                SendMessageW(hwnd, EM_SETLIMITTEXT, static_cast<WPARAM>(box->max_length()), 0);
                SetWindowSubclass(hwnd, edit_proc, 1, reinterpret_cast<DWORD_PTR>(this));
                break;
            }
            case ControlKind::combo_box: {
                hwnd = CreateWindowExW(0, WC_COMBOBOXW, nullptr,
                                       child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, r.x,
                                       r.y, r.width, r.height, parent, id, instance_, nullptr);
                windows_[c] = hwnd;
                refresh(*c);
                // Drawn above Frame(0), whose inner area it covers.
                SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                break;
            }
            case ControlKind::picture_button:
                hwnd = CreateWindowExW(0, WC_BUTTONW, nullptr, child | WS_TABSTOP | BS_PUSHBUTTON | BS_ICON,
                                       r.x, r.y, r.width, r.height, parent, id, instance_, nullptr);
                break;
        }
        windows_[c] = hwnd;
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        EnableWindow(hwnd, c->enabled());
    }

    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
    for (PictureButton* button : {&form_->Command1(), &form_->Command2()}) {
        if (button->tool_tip().empty()) continue;
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(hwnd_of(*button));
        std::u16string tip = button->tool_tip();
        tool.lpszText = reinterpret_cast<wchar_t*>(tip.data());
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// Where a control goes at `dpi`. A drop-down combo's window height includes its list.
PixelRect Win32Window::placement(const Control& c, int dpi) {
    PixelRect r = pixel_bounds(c.bounds(), dpi);
    if (c.kind() == ControlKind::combo_box) r.height *= 10;
    return r;
}

// Verdana 8.25 point on every control; the system substitutes where it is missing.
HFONT Win32Window::make_font(int dpi) {
    return CreateFontW(font_height(dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       L"Verdana");
}

// The buttons' pictures at their size for the current DPI.
void Win32Window::load_icons() {
    const int size = icon_size(dpi());
    const int ids[2] = {IDI_FOLDER_SEARCH, IDI_GLOBE};
    PictureButton* buttons[2] = {&form_->Command1(), &form_->Command2()};
    for (int i = 0; i < 2; ++i) {
        HICON icon =
            static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(ids[i]), IMAGE_ICON, size, size, 0));
        SendMessageW(hwnd_of(*buttons[i]), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
        if (icons_[i]) DestroyIcon(icons_[i]);
        icons_[i] = icon;
    }
}

// After a DPI change: a new font, every control placed again, the pictures at their new size.
void Win32Window::rescale() {
    HFONT old = font_;
    font_ = make_font(dpi());
    for (Control* c : form_->controls()) {
        const PixelRect r = placement(*c, dpi());
        SendMessageW(hwnd_of(*c), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        SetWindowPos(hwnd_of(*c), nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    load_icons();
    if (old) DeleteObject(old);
    InvalidateRect(window_, nullptr, TRUE);
}

Control* Win32Window::control_of(HWND hwnd) const {
    for (; hwnd && hwnd != window_; hwnd = GetParent(hwnd)) {
        const int id = GetDlgCtrlID(hwnd) - first_control_id;
        for (const auto& [control, window] : windows_) {
            if (window == hwnd && control->tab_index() == id) return const_cast<Control*>(control);
        }
    }
    return nullptr;
}

HWND Win32Window::hwnd_of(const Control& control) const {
    const auto it = windows_.find(&control);
    return it == windows_.end() ? nullptr : it->second;
}

void Win32Window::refresh(const Control& c) {
    HWND hwnd = hwnd_of(c);
    if (!hwnd) return;
    if ((IsWindowEnabled(hwnd) != FALSE) != c.enabled()) {
        EnableWindow(hwnd, c.enabled());
        if (c.kind() == ControlKind::frame) InvalidateRect(hwnd, nullptr, FALSE);
    }
    switch (c.kind()) {
        case ControlKind::frame: {
            const auto& caption = static_cast<const FrameControl&>(c).caption();
            if (window_text(hwnd) != caption) {
                SetWindowTextW(hwnd, w(caption));
                // Only the caption strip is repainted, off screen first: no flicker while a thumb drags.
                RECT strip;
                GetClientRect(hwnd, &strip);
                strip.bottom = std::abs(font_height(dpi())) * 2;
                InvalidateRect(hwnd, &strip, FALSE);
            }
            break;
        }
        case ControlKind::check_box: {
            const auto value = static_cast<const CheckBox&>(c).value();
            if (SendMessageW(hwnd, BM_GETCHECK, 0, 0) != value) {
                SendMessageW(hwnd, BM_SETCHECK, static_cast<WPARAM>(value), 0);
            }
            break;
        }
        case ControlKind::scroll_bar: {
            const auto value = static_cast<const HScrollBar&>(c).value();
            SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, 0, 0};
            GetScrollInfo(hwnd, SB_CTL, &info);
            if (info.nPos != value) {
                info.nPos = value;
                SetScrollInfo(hwnd, SB_CTL, &info, TRUE);
            }
            break;
        }
        case ControlKind::text_box:
            set_text_if_changed(hwnd, static_cast<const TextBox&>(c).text());
            break;
        case ControlKind::combo_box: {
            const auto& combo = static_cast<const ComboBox&>(c);
            const auto& entries = combo.entries();
            bool same = SendMessageW(hwnd, CB_GETCOUNT, 0, 0) == static_cast<LRESULT>(entries.size());
            for (std::size_t i = 0; same && i < entries.size(); ++i) {
                std::u16string entry(static_cast<std::size_t>(SendMessageW(hwnd, CB_GETLBTEXTLEN, i, 0)),
                                     u'\0');
                SendMessageW(hwnd, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
                same = entry == entries[i];
            }
            if (!same) {
                SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
                for (const auto& entry : entries)
                    SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w(entry)));
            }
            if (SendMessageW(hwnd, CB_GETCURSEL, 0, 0) != combo.list_index() || !same) {
                SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(combo.list_index()), 0);
            }
            set_text_if_changed(hwnd, combo.text());
            break;
        }
        case ControlKind::picture_button:
            break;
    }
}

void Win32Window::refresh_form() {
    if (!window_) return;
    set_text_if_changed(window_, form_->caption());
    SetWindowPos(window_, nullptr, twips_position_to_pixels(form_->left(), dpi()),
                 twips_position_to_pixels(form_->top(), dpi()), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::on_command(HWND hwnd, int code) {
    Control* c = control_of(hwnd);
    if (!c) return;
    switch (c->kind()) {
        case ControlKind::check_box:
            if (code == BN_CLICKED) static_cast<CheckBox*>(c)->click();
            break;
        case ControlKind::picture_button:
            if (code == BN_CLICKED) static_cast<PictureButton*>(c)->press();
            break;
        case ControlKind::combo_box: {
            auto* combo = static_cast<ComboBox*>(c);
            if (code == CBN_CLOSEUP) {
                // A list closed by a click elsewhere goes back to the entry it had when it opened, after
                // this notification; the chosen entry is put back once that is done.
                PostMessageW(window_, resync_combo, 0, 0);
            } else if (code == CBN_SELCHANGE) {
                const auto selected = SendMessageW(hwnd, CB_GETCURSEL, 0, 0);
                if (selected >= 0) combo->choose(static_cast<std::int16_t>(selected));
            } else if (code == CBN_EDITCHANGE) {
                const std::u16string typed = window_text(hwnd);
                combo->type_text(typed);
                // The list must not go on marking an entry that typing has unselected; taking the
                // selection away also empties the field, so the typed text and the caret come back.
                if (SendMessageW(hwnd, CB_GETCURSEL, 0, 0) != CB_ERR) {
                    DWORD start = 0;
                    DWORD end = 0;
                    SendMessageW(hwnd, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                                 reinterpret_cast<LPARAM>(&end));
                    SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
                    SetWindowTextW(hwnd, w(typed));
                    SendMessageW(hwnd, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
                }
            }
            break;
        }
        case ControlKind::text_box:
            if (code == EN_CHANGE) static_cast<TextBox*>(c)->user_edit(window_text(hwnd));
            break;
        default:
            break;
    }
}

void Win32Window::on_scroll(HWND hwnd, int code) {
    auto* bar = dynamic_cast<HScrollBar*>(control_of(hwnd));
    if (!bar) return;
    SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
    switch (code) {
        case SB_LINELEFT:
            bar->step(ScrollStep::line_left);
            break;
        case SB_LINERIGHT:
            bar->step(ScrollStep::line_right);
            break;
        case SB_PAGELEFT:
            bar->step(ScrollStep::page_left);
            break;
        case SB_PAGERIGHT:
            bar->step(ScrollStep::page_right);
            break;
        case SB_THUMBTRACK:
            // The 32-bit track position, not the 16-bit one packed into the message.
            GetScrollInfo(hwnd, SB_CTL, &info);
            bar->drag(info.nTrackPos);
            break;
        case SB_THUMBPOSITION:
            GetScrollInfo(hwnd, SB_CTL, &info);
            bar->release(info.nTrackPos);
            break;
        default:
            break;
    }
}

// A typed character reaches the box's key press as its ANSI code before the box sees it: once, whether
// it is one byte in the code page, two (a double-byte character), none (a character the code page lacks,
// which goes as the "?" it would be written as) or a surrogate pair (`second_half`: the low surrogate,
// whose high one is held back until now). Returns false when the character is to be discarded.
bool Win32Window::on_char(HWND edit, WPARAM& character, bool second_half) {
    auto* box = dynamic_cast<TextBox*>(control_of(edit));
    if (!box) return true;
    const auto typed = static_cast<char16_t>(character);
    const auto byte = second_half ? std::nullopt : text_.single_byte(typed);
    const auto code = static_cast<std::int16_t>(byte ? *byte : '?');
    const std::int16_t answer = box->key_press(code);
    if (answer == 0) return false;
    if (answer != code) {
        std::u16string wide;
        if (text_.to_wide(std::string(1, static_cast<char>(answer)), wide) == ERROR_SUCCESS &&
            wide.size() == 1) {
            character = wide[0];
        }
    }
    return true;
}

bool Win32Window::pre_translate(MSG& message) {
    if (!window_ || message.message != WM_KEYDOWN || GetAncestor(message.hwnd, GA_ROOT) != window_)
        return false;
    const bool alt_or_ctrl = (GetKeyState(VK_MENU) < 0) || (GetKeyState(VK_CONTROL) < 0);
    if (message.wParam == VK_TAB && !alt_or_ctrl) {
        move_focus(GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    if (message.wParam == VK_RETURN && !alt_or_ctrl) {
        // Enter presses a focused picture button; the window has no default button.
        Control* focused = control_of(GetFocus());
        if (focused && focused->kind() == ControlKind::picture_button) {
            static_cast<PictureButton*>(focused)->press();
            return true;
        }
    }
    return false;
}

// Tab and Shift+Tab follow TabIndex across every frame, past frames and whatever a disabled frame holds.
void Win32Window::move_focus(bool backwards) {
    const std::vector<Control*> order = form_->tab_order();
    if (order.empty()) return;
    const Control* current = control_of(GetFocus());
    std::size_t at = order.size();
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] == current) at = i;
    }
    std::size_t next = 0;
    if (at == order.size()) {
        next = backwards ? order.size() - 1 : 0;
    } else {
        next = backwards ? (at + order.size() - 1) % order.size() : (at + 1) % order.size();
    }
    SetFocus(hwnd_of(*order[next]));
}

void Win32Window::close_request(CloseReason reason) {
    if (!form_->request_close(reason)) return;
    form_->unload();
    DestroyWindow(window_);
}

LRESULT Win32Window::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            if (lparam != 0) on_command(reinterpret_cast<HWND>(lparam), HIWORD(wparam));
            return 0;
        case WM_HSCROLL:
            if (lparam != 0) on_scroll(reinterpret_cast<HWND>(lparam), LOWORD(wparam));
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_CLOSE:
            close_request(CloseReason::user);
            return 0;
        case resync_combo:
            refresh(form_->Combo1());
            return 0;
        case WM_QUERYENDSESSION:
            // The session ends: the same close request as any other, and the same answer. The window
            // goes only at WM_ENDSESSION, since another program may still call the ending off.
            return form_->request_close(CloseReason::session_end) ? TRUE : FALSE;
        case WM_ENDSESSION:
            if (wparam) {
                form_->unload();
                DestroyWindow(window_);
            }
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_INACTIVE) {
                last_focus_ = GetFocus();
            } else {
                HWND focus =
                    last_focus_ && IsChild(window_, last_focus_) ? last_focus_ : hwnd_of(form_->Combo1());
                SetFocus(focus);
            }
            return 0;
        case WM_DPICHANGED: {
            current_dpi_ = HIWORD(wparam);
            const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            rescale();
            return 0;
        }
        case WM_DESTROY:
            if (form_) form_->attach_view(nullptr);
            windows_.clear();
            window_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wparam, lparam);
}

// Messages are routed here once; no exception may unwind through Windows' own code.
LRESULT CALLBACK Win32Window::window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        self->window_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->form_) return DefWindowProcW(hwnd, message, wparam, lparam);
    try {
        return self->handle(message, wparam, lparam);
    } catch (const std::exception& e) {
        const std::string what = e.what();
        MessageBoxW(hwnd, std::wstring(what.begin(), what.end()).c_str(), L"Pelmora PM",
                    MB_OK | MB_ICONERROR);
        return 0;
    }
}

LRESULT CALLBACK Win32Window::frame_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSCROLLBAR:
            // Controls tell their parent frame; the window handles every control in one place.
            return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wparam, lparam);
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT paints everything, off screen
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT client;
            GetClientRect(hwnd, &client);
            HDC memory = CreateCompatibleDC(dc);
            HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
            HGDIOBJ old_bitmap = SelectObject(memory, bitmap);
            FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));
            HGDIOBJ old_font =
                SelectObject(memory, self && self->font_ ? self->font_ : GetStockObject(DEFAULT_GUI_FONT));
            TEXTMETRICW metrics;
            GetTextMetricsW(memory, &metrics);
            RECT box = client;
            box.top = metrics.tmHeight / 2;
            DrawEdge(memory, &box, EDGE_ETCHED, BF_RECT);
            const std::u16string caption = window_text(hwnd);
            if (!caption.empty()) {
                const int dpi = self ? self->dpi() : 96;
                SIZE extent;
                GetTextExtentPoint32W(memory, w(caption), static_cast<int>(caption.size()), &extent);
                const int gap = MulDiv(2, dpi, 96);
                RECT text{MulDiv(6, dpi, 96), 0, 0, metrics.tmHeight};
                text.right = text.left + extent.cx + 2 * gap;
                FillRect(memory, &text, GetSysColorBrush(COLOR_BTNFACE));
                SetBkMode(memory, TRANSPARENT);
                // A disabled frame draws its caption greyed; what it holds keeps its own look.
                SetTextColor(memory, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
                text.left += gap;
                DrawTextW(memory, w(caption), static_cast<int>(caption.size()), &text,
                          DT_SINGLELINE | DT_NOPREFIX);
            }
            BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old_font);
            SelectObject(memory, old_bitmap);
            DeleteObject(bitmap);
            DeleteDC(memory);
            EndPaint(hwnd, &ps);
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK Win32Window::edit_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR /*id*/, DWORD_PTR self) {
    if (message == WM_CHAR) {
        auto* window = reinterpret_cast<Win32Window*>(self);
        // A character outside the BMP arrives as two WM_CHARs: the high surrogate waits for the low one,
        // so that the pair is one key press with one answer.
        if (IS_HIGH_SURROGATE(wparam)) {
            window->held_high_surrogate_ = static_cast<wchar_t>(wparam);
            return 0;
        }
        const wchar_t high = std::exchange(window->held_high_surrogate_, L'\0');
        const bool pair = high != 0 && IS_LOW_SURROGATE(wparam);
        const WPARAM typed = wparam;
        try {
            if (!window->on_char(hwnd, wparam, pair)) return 0;
        } catch (const std::exception&) {
            return 0;
        }
        if (pair && wparam == typed) DefSubclassProc(hwnd, WM_CHAR, high, lparam);
    }
    return DefSubclassProc(hwnd, message, wparam, lparam);
}

}  // namespace pm
