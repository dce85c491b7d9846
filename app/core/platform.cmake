# Platform services (file handles, strings, system readings, the settings cipher) and
# the program information and progress windows.
set(VANDREL_PLATFORM_SOURCES
  quickpak.h fileview.h
  filehandles.cpp
  qpstrings.cpp
  qpsystem.cpp
  encrypt2.cpp
  infotexts.cpp infotexts.h
  infoform.cpp infoform.h
  percform.cpp percform.h
  printtarget.cpp printtarget.h
)
