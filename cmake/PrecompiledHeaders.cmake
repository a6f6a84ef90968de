# The Qt, GoogleTest and standard headers that most files include, parsed
# once per build instead of once per file: each target reuses the
# precompiled header of its kind (orvan_precompile). GCC takes a
# precompiled header only when it was built with the same code model
# (-fPIC) and the same definitions of the macros it saw, so each kind has a
# donor target of its own that links what its users link; macros that only
# the users define (QT_*_LIB of further Qt modules, the tests' paths) do not
# matter. QtTest stays out: it defines a macro naming each test's own
# folder. A file that cannot use its header compiles as before, only
# slower, and -Winvalid-pch (which CMake adds) names it.
# Only GCC: clang refuses a mismatched header instead of skipping it.
# The header comes before every file of a target, so a file that forgets
# to include one of these headers still compiles; -DORVAN_PCH=OFF shows it.
option(ORVAN_PCH "Precompile the Qt, GoogleTest and standard headers most files include (GCC only)" ON)
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(ORVAN_PCH OFF)
endif()

set(ORVAN_PCH_STD
  <algorithm> <array> <cmath> <cstdint> <deque> <functional> <map> <memory>
  <optional> <span> <string> <utility> <vector>)
set(ORVAN_PCH_CORE ${ORVAN_PCH_STD}
  <QByteArray> <QCoreApplication> <QDir> <QElapsedTimer> <QFile> <QFileInfo>
  <QList> <QObject> <QString> <QStringList> <QTimer>)
set(ORVAN_PCH_WIDGETS ${ORVAN_PCH_CORE}
  <QApplication> <QComboBox> <QDialog> <QGridLayout> <QHBoxLayout> <QKeyEvent>
  <QLabel> <QLineEdit> <QMessageBox> <QMouseEvent> <QPainter> <QPainterPath>
  <QPushButton> <QVBoxLayout> <QWidget>)

if(ORVAN_PCH)
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/orvan_pch_donor.cpp
    CONTENT "// Compiled only to build its target's precompiled header.\n")
endif()

# orvan_pch_donor(<kind> HEADERS <header>... LIBRARIES <target>... [PIC])
# The target orvan_pch_<kind> that builds the precompiled header of a kind,
# with the macros and flags of the libraries given.
function(orvan_pch_donor kind)
  if(NOT ORVAN_PCH)
    return()
  endif()
  cmake_parse_arguments(ARG "PIC" "" "HEADERS;LIBRARIES" ${ARGN})
  add_library(orvan_pch_${kind} OBJECT ${PROJECT_BINARY_DIR}/orvan_pch_donor.cpp)
  target_link_libraries(orvan_pch_${kind} PRIVATE ${ARG_LIBRARIES})
  if(ARG_PIC)
    target_compile_options(orvan_pch_${kind} PRIVATE -fPIC)
  endif()
  target_precompile_headers(orvan_pch_${kind} PRIVATE ${ARG_HEADERS})
endfunction()

# orvan_precompile(<target> <kind>): the target's files include the
# precompiled header of that kind.
function(orvan_precompile target kind)
  if(ORVAN_PCH)
    target_precompile_headers(${target} REUSE_FROM orvan_pch_${kind})
  endif()
endfunction()

# The donors of the program's own kinds: plain C++ (wire, model, the
# virtual processor), Qt Core and widgets. The tests' kinds are in tests/.
orvan_pch_donor(std HEADERS ${ORVAN_PCH_STD})
orvan_pch_donor(core HEADERS ${ORVAN_PCH_CORE} LIBRARIES Qt6::Core)
if(ORVAN_BUILD_GUI)
  orvan_pch_donor(widgets HEADERS ${ORVAN_PCH_WIDGETS} LIBRARIES Qt6::Widgets)
endif()
