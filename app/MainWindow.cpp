#include "app/MainWindow.h"

#include "SystemTexts.h"

namespace kelvane {

namespace {

constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kButtonStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER;

// Control identifiers: any distinct numbers will do, the window tells its controls apart by
// their handles.
enum ControlId : int {
    kInstructionsId = 101,
    kConfigureId,
    kBrowseId,
    kPathId,
    kPathLabelId,
};

// The two lines of instructions and an empty line under them, each ended by CR LF.
Text InstructionsText() {
    Text text;
    for (const char* line : {texts::kInstructionsLine1, texts::kInstructionsLine2, ""}) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, texts::kWindowClass, &existing)) {
        return true;
    }
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    // Shared icons belong to the system, which frees them with the module.
    windowClass.hIcon = static_cast<HICON>(LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXICON),
                                                      GetSystemMetrics(SM_CYICON), LR_SHARED));
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    // The window paints its own background (WM_ERASEBKGND).
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    windowClass.lpszClassName = texts::kWindowClass;
    return RegisterClassExA(&windowClass) != 0;
}

HWND CreateControl(HWND parent, HINSTANCE instance, DWORD exStyle, const char* className,
                   const char* text, DWORD style, RECT bounds, int id) {
    HWND control = CreateWindowExA(
        exStyle, className, text, style, bounds.left, bounds.top, bounds.right, bounds.bottom,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return control;
}

bool TakesFocusNow(HWND control) {
    return IsWindowVisible(control) && IsWindowEnabled(control);
}

} // namespace

MainWindow::MainWindow(SystemEnvironment& environment, MainWindowEvents events)
    : environment_(environment), events_(events) {}

MainWindow::~MainWindow() {
    if (window_) {
        SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
    }
}

bool MainWindow::Create(HINSTANCE instance) {
    if (!RegisterWindowClass(instance, &MainWindow::WindowProcedure)) {
        return false;
    }
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    window_.reset(CreateWindowExA(0, texts::kWindowClass, texts::kWindowCaption, kWindowStyle, left,
                                  top, kWidth, kHeight, nullptr, nullptr, instance, this));
    if (!window_) {
        return false;
    }
    SendMessageA(window_.get(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    CreateControls(instance);
    focusOnActivate_ = 编辑框_路径_;
    if (events_.created != nullptr) {
        events_.created(*this);
    }
    return true;
}

void MainWindow::CreateControls(HINSTANCE instance) {
    HWND parent = window_.get();
    const Text instructions = InstructionsText();
    标签_说明_ =
        CreateControl(parent, instance, WS_EX_STATICEDGE, "STATIC", instructions.c_str(),
                      WS_CHILD | WS_VISIBLE | SS_CENTER, {17, 9, 320, 40}, kInstructionsId);
    按钮_配置_ = CreateControl(parent, instance, 0, "BUTTON", texts::kConfigureButton, kButtonStyle,
                               {137, 88, 80, 32}, kConfigureId);
    按钮_浏览_ = CreateControl(parent, instance, 0, "BUTTON", texts::kBrowseButton, kButtonStyle,
                               {288, 60, 48, 24}, kBrowseId);
    编辑框_路径_ = CreateControl(parent, instance, WS_EX_STATICEDGE, "EDIT", "",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
                                 {68, 60, 210, 24}, kPathId);
    SendMessageA(编辑框_路径_, EM_LIMITTEXT, 0, 0);
    // A text static with SS_CENTERIMAGE is drawn on a single line, centred vertically.
    标签_路径_ = CreateControl(parent, instance, WS_EX_STATICEDGE, "STATIC", texts::kPathLabel,
                               WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE,
                               {17, 60, 48, 24}, kPathLabelId);
}

void MainWindow::Show() {
    ShowWindow(window_.get(), SW_SHOW);
    SetForegroundWindow(window_.get());
    UpdateWindow(window_.get());
}

bool MainWindow::HandleKeyboard(const MSG& message) {
    if (message.message != WM_KEYDOWN || !window_) {
        return false;
    }
    if (message.hwnd != window_.get() && !IsChild(window_.get(), message.hwnd)) {
        return false;
    }
    switch (message.wParam) {
    case VK_TAB:
        MoveFocus(GetKeyState(VK_SHIFT) >= 0);
        return true;
    case VK_ESCAPE:
        SendMessageA(window_.get(), WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    default:
        return false;
    }
}

void MainWindow::MoveFocus(bool forward) {
    const std::array<HWND, 3> order{编辑框_路径_, 按钮_浏览_, 按钮_配置_};
    const int count = static_cast<int>(order.size());
    HWND focus = GetFocus();
    int current = forward ? -1 : count;
    for (int index = 0; index < count; ++index) {
        if (order[index] == focus) {
            current = index;
        }
    }
    const int step = forward ? 1 : -1;
    for (int tried = 1; tried <= count; ++tried) {
        HWND candidate = order[((current + step * tried) % count + count) % count];
        if (TakesFocusNow(candidate)) {
            SetFocus(candidate);
            return;
        }
    }
}

Text MainWindow::PathText() const {
    const int length = GetWindowTextLengthA(编辑框_路径_);
    Text text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(编辑框_路径_, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void MainWindow::SetPathText(std::string_view text) {
    const Text copy(text);
    SetWindowTextA(编辑框_路径_, copy.c_str());
}

void MainWindow::EnableConfigure(bool enabled) {
    EnableWindow(按钮_配置_, enabled ? TRUE : FALSE);
}

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->OnMessage(window, message, wParam, lParam);
}

LRESULT MainWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        OnActivate(wParam);
        return 0;
    case WM_COMMAND:
        OnCommand(wParam, lParam);
        return 0;
    case WM_SYSCOMMAND:
        // Minimising takes the focus away without deactivating the window first.
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
            RememberFocus();
        }
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_ERASEBKGND:
        OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CTLCOLOREDIT: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(0xFF, 0xFF, 0xFF));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case WM_DESTROY:
        // The main window is the program's last window: its end ends the message loop.
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        if (window == window_.get()) {
            (void)window_.release();
        }
        return DefWindowProcA(window, message, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void MainWindow::OnActivate(WPARAM wParam) {
    const bool minimized = HIWORD(wParam) != 0;
    if (LOWORD(wParam) == WA_INACTIVE) {
        RememberFocus();
    } else if (!minimized) {
        SetFocus(focusOnActivate_ != nullptr ? focusOnActivate_ : window_.get());
    }
}

void MainWindow::RememberFocus() {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window_.get(), focus)) {
        focusOnActivate_ = focus;
    }
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return;
    }
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control == 按钮_浏览_ && events_.browseClicked != nullptr) {
        events_.browseClicked(*this);
    } else if (control == 按钮_配置_ && events_.configureClicked != nullptr) {
        events_.configureClicked(*this);
    }
}

void MainWindow::OnEraseBackground(HWND window, HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

} // namespace kelvane
