#include "ui/FieldBox.h"

#include "brochure/SingleLineText.h"

#include <QLineEdit>
#include <QValidator>

#include <limits>

namespace lw {
namespace {

// Every change of the text, typed, pasted, dropped or set by the program,
// passes here before the box takes it.
class SingleLineValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        const QString line = singleLineText(input);
        if (line != input) {
            pos = int(singleLineText(input.left(pos)).size());
            input = line;
        }
        return Acceptable;
    }
};

} // namespace

void setUpFieldBox(QLineEdit* box) {
    box->setMaxLength(std::numeric_limits<int>::max());
    box->setValidator(new SingleLineValidator(box));
}

} // namespace lw
