#include "app/LibraryMessages.h"

#include "output/LanguageTables.h"
#include "output/Windows1251.h"

#include <QMessageBox>

namespace {

QString Text(const std::string& singleByte) {
    return QString::fromStdString(Windows1251ToUtf8(singleByte));
}

} // namespace

void CLibraryMessages::Inform(std::size_t message, QWidget* parent) {
    QMessageBox::information(parent, Text(m_texts.MessageCaption(message)),
                             Text(m_texts.MessageText(message)));
}

bool CLibraryMessages::Ask(std::size_t message, QWidget* parent) {
    return QMessageBox::question(parent, Text(m_texts.MessageCaption(message)),
                                 Text(m_texts.MessageText(message)),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
