#include "TestModels.h"

const char* const kPyramidText = "1\n"
                                 "5 5\n"
                                 "-2 -2 0\n"
                                 "2 -2 0\n"
                                 "2 2 0\n"
                                 "-2 2 0\n"
                                 "0 0 4\n"
                                 "1 4 3 2\n"
                                 "1 2 5\n"
                                 "2 3 5\n"
                                 "3 4 5\n"
                                 "4 1 5\n";

std::unique_ptr<Model> LoadModelText(const std::string& text) {
    auto model = std::make_unique<Model>();
    model->OpenText(text, "inline.dat");
    return model;
}
