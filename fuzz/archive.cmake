# The viewer's archive reader: liblhasa for LZH, libarchive for ZIP and tar.
find_package(LibArchive REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(LHASA REQUIRED IMPORTED_TARGET liblhasa)
set(kiss_archive_sources
  ${PROJECT_SOURCE_DIR}/viewer/archive/extract.cpp ${PROJECT_SOURCE_DIR}/viewer/archive/gather.cpp
  ${PROJECT_SOURCE_DIR}/viewer/archive/lzh_header.cpp ${PROJECT_SOURCE_DIR}/viewer/archive/read_libarchive.cpp
  ${PROJECT_SOURCE_DIR}/viewer/archive/read_lzh.cpp ${PROJECT_SOURCE_DIR}/viewer/archive/write_entries.cpp)
tansu_add_fuzzer(fuzz_kiss_archive SOURCES fuzz_kiss_archive.cpp fuzz_input_file.cpp ${kiss_archive_sources}
  LIBS LibArchive::LibArchive PkgConfig::LHASA)
target_include_directories(fuzz_kiss_archive PRIVATE ${PROJECT_SOURCE_DIR}/viewer)
# The same archives unpacked into a folder as the viewer does it.
tansu_add_fuzzer(fuzz_kiss_unpack SOURCES fuzz_kiss_unpack.cpp fuzz_input_file.cpp ${kiss_archive_sources}
  ${PROJECT_SOURCE_DIR}/viewer/app/unpack_folder.cpp LIBS LibArchive::LibArchive PkgConfig::LHASA)
target_include_directories(fuzz_kiss_unpack PRIVATE ${PROJECT_SOURCE_DIR}/viewer)
