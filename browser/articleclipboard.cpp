#include "browser/articleclipboard.h"

namespace vandrel {

ArticleClipboard& articleClipboard()
{
    static ArticleClipboard clipboard;
    return clipboard;
}

} // namespace vandrel
