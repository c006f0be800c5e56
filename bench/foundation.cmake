target_link_libraries(bench_foundation PRIVATE EXPAT::EXPAT)
