#include "palabrum_options.h"

#include "archive.h"

namespace palabrum {

void PalabrumOptions::Serialize(Archive& ar) {
    ar.U16(m_listPosition);
    ar.U16(m_bingoMessage);
    ar.U32(m_randomBoard);
    ar.String(m_customPicturePath);
    ar.U32(m_boardColor);
}

}  // namespace palabrum
