# The name desktops know Pellomarin by: the desktop entry, the icon, the
# AppStream component, the macOS bundle and the Wayland app id all use it.
set(PELLOMARIN_APP_ID org.pellomarin.Pellomarin)
