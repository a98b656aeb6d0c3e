#include "startoutput.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cstdio>
#endif

void writeStartOutput(const QString &text, bool error)
{
#ifdef Q_OS_WIN
    // A GUI program gets no console of its own. Output that the caller redirected
    // reaches its file or pipe as usual; started from a console, the program writes
    // into that console; started from the desktop, a message box shows the text.
    const QByteArray bytes = text.toLocal8Bit();
    const HANDLE handle = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD written = 0;
    if (handle && handle != INVALID_HANDLE_VALUE &&
        WriteFile(handle, bytes.constData(), DWORD(bytes.size()), &written, nullptr))
        return;
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, 0, nullptr);
        const bool shown = console != INVALID_HANDLE_VALUE &&
                           WriteConsoleW(console, wide, DWORD(text.size()), &written, nullptr);
        if (console != INVALID_HANDLE_VALUE)
            CloseHandle(console);
        if (shown)
            return;
    }
    MessageBoxW(nullptr, wide, L"Tastarello", MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
#else
    std::fputs(text.toLocal8Bit().constData(), error ? stderr : stdout);
#endif
}
