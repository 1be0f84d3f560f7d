#pragma once
// The picture a sprite-like element type draws: one image or an image list from the
// resource cache (dithered when the type asks for it), and its alpha masks. The type
// keeps the file names in its own fields, where ChangeImage may change them; this part
// holds what they gave and is loaded and released with the type.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "engine/entity/QxTypePart.h"
#include "engine/files/QxImage.h"

class QxEntity2DGUIElementType;
struct QxImageRecord;
struct QxImageListRecord;

class QxTypePicture final : public QxTypePart {
public:
    enum class Shape { kImage, kList };
    // How the alpha file is read: one mask for every frame, a list of one mask per
    // frame, or by its name (QxAlphaMask::LoadByName).
    enum class MaskFile { kOne, kList, kByName };

    // The names are the type's fields and must outlive the part, as the type does.
    QxTypePicture(const QxEntity2DGUIElementType& owner, Shape shape, MaskFile maskFile,
                  const std::string& name, const std::string& alphaName);
    QxTypePicture(const QxTypePicture&) = delete;
    QxTypePicture& operator=(const QxTypePicture&) = delete;
    ~QxTypePicture();

    // Null until loaded and when the name gave nothing; owned by the resource cache.
    const QxImageRecord* Image() const { return m_image; }
    const QxImageListRecord* List() const { return m_list; }
    const std::vector<std::unique_ptr<QxImage>>& Masks() const { return m_masks; }
    // The mask of a frame (the last mask serves frames beyond the masks), or null.
    const QxImage* Mask(std::size_t frame) const;

    // A reload gives everything back and gets it anew (the surfaces vanished with a
    // change of display mode).
    void LoadPart(bool reload) override;
    void ReleasePart() override;

private:
    const QxEntity2DGUIElementType& m_owner;
    Shape m_shape;
    MaskFile m_maskFile;
    const std::string& m_name;
    const std::string& m_alphaName;
    QxImageRecord* m_image = nullptr;
    QxImageListRecord* m_list = nullptr;
    std::vector<std::unique_ptr<QxImage>> m_masks;
};
