# The one place that says which sources and tests belong to one platform only. A file whose name
# starts with "Linux" or "Windows" is built for that platform alone; the files below are older than
# that rule and keep their names.
set(VEZOZIL_LINUX_ONLY_SOURCES
    FolderInstanceGuard  # flock on the program folder; Windows: WindowsInstanceGuard (named mutex)
    XdgAutostart         # the XDG autostart entry; Windows: RunKeyAutostart
    LibgpiodSystem       # GPIO lines; a Windows PC has none
    ParportDirectory     # /sys/bus/parport, for LinuxRelayPort
    SystemDesktop        # /proc, pidfds, xdg-open, systemctl; Windows: WindowsDesktop
    ProcessControl)      # SystemProcessControl: /proc, pidfds; Windows: WindowsProcessControl

# Tests of Linux's own mechanisms (ptys, libfaketime, X11 sessions, /proc, flock, ppdev, hidraw, the
# Debian package), and the tests that start the real program through them. What covers the same
# behaviour on Windows is said beside each.
set(VEZOZIL_LINUX_ONLY_TESTS
    app_instance_test          # X11 session, /proc; Windows: windows_backends_test (named mutex)
    app_lifecycle_test         # X11 session manager, NOTIFY_SOCKET, faketime; Windows: scripts/check-installer
    app_relay_serial_test      # pty stand-in for a board and faketime; Windows: relay_kinds_test's seams
    relay_serial_pty_test      # pty stand-in for a board
    relay_backends_test        # ppdev and /dev/port; Windows: windows_backends_test (inpout32)
    fault_relay_test           # ppdev failures
    platform_desktop_test      # /proc and pidfds; Windows: windows_backends_test (taskkill, shutdown)
    platform_instance_guard_test # flock; Windows: windows_backends_test (named mutex)
    platform_termination_test  # POSIX signals; Windows: the session end, scripts/check-installer
    platform_autostart_test    # the XDG entry; Windows: windows_backends_test (Run key)
    packaging_test             # the Debian package; Windows: scripts/check-installer
    fault_save_test            # a full disk through RLIMIT_FSIZE; the saving code is the same on Windows
    fault_editor_save_test     # the same, for the editor's saves
    soak_schooldays_test       # /proc of the real program
    sound_sdl_test             # reads SDL's disk audio file while SDL writes it; Windows' SDL does not share it
    fault_sdl_test             # the same
    gui_fit_test               # measures fonts; Qt's offscreen platform on Windows has no real font
    gui_captions_test)         # database: the Windows screenshots under Wine show the fit

# Drops the sources of the other platform from the list named `var`.
function(vezozil_platform_sources var)
    set(sources ${${var}})
    if(WIN32)
        list(FILTER sources EXCLUDE REGEX "/Linux[^/]*\\.cpp$")
        foreach(name IN LISTS VEZOZIL_LINUX_ONLY_SOURCES)
            list(FILTER sources EXCLUDE REGEX "/${name}\\.cpp$")
        endforeach()
    else()
        list(FILTER sources EXCLUDE REGEX "/Windows[^/]*\\.cpp$")
    endif()
    set(${var} ${sources} PARENT_SCOPE)
endfunction()

function(vezozil_platform_tests var)
    set(tests ${${var}})
    if(WIN32)
        foreach(name IN LISTS VEZOZIL_LINUX_ONLY_TESTS)
            list(FILTER tests EXCLUDE REGEX "/${name}\\.cpp$")
        endforeach()
        list(FILTER tests EXCLUDE REGEX "/linux_[^/]*\\.cpp$")
    else()
        list(FILTER tests EXCLUDE REGEX "/windows_[^/]*\\.cpp$")
    endif()
    set(${var} ${tests} PARENT_SCOPE)
endfunction()

# How a Windows program under Wine names a path of this machine: drive Z: is the root.
if(WIN32)
    set(VEZOZIL_HOST_PREFIX "Z:")
else()
    set(VEZOZIL_HOST_PREFIX "")
endif()
