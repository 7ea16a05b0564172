#include <gtest/gtest.h>

#include <string>

#include "doubles/test_app.h"
#include "platform/instance_key.h"

namespace pm {
namespace {

// A folder reached by two paths (a second drive letter, a UNC path) has one identity and so one key;
// another folder, or the same file index on another volume, has another. Where the file system gives
// no identity the path decides, and such a key never meets an identity's.
TEST(SecondStart, TheClaimFollowsTheFoldersIdentityElseItsPath) {
    FolderIdentity card{0x1234ABCD, {7, 0, 0, 0, 0, 0, 0, 1}, {}};
    FolderIdentity other_folder = card;
    other_folder.file[0] = 8;
    FolderIdentity other_volume = card;
    other_volume.volume = 0x1234ABCE;

    EXPECT_EQ(instance_key(card, u"P:\\"), instance_key(card, u"\\\\SERVER\\SHARE\\CARD"));
    EXPECT_NE(instance_key(card, u"P:\\"), instance_key(other_folder, u"P:\\"));
    EXPECT_NE(instance_key(card, u"P:\\"), instance_key(other_volume, u"P:\\"));
    EXPECT_EQ(instance_key(std::nullopt, u"E:\\PM"), instance_key(std::nullopt, u"E:\\PM"));
    EXPECT_NE(instance_key(std::nullopt, u"E:\\PM"), instance_key(std::nullopt, u"E:\\PM2"));
    // An all-zero file ID is none: a FAT root's, the same on every card.
    EXPECT_EQ(instance_key(std::nullopt, u"E:\\PM"),
              instance_key(FolderIdentity{0x1234ABCD, {}, {}}, u"E:\\PM"));
    EXPECT_NE(instance_key(std::nullopt, u"E:\\PM"), instance_key(card, u"E:\\PM"));
    for (const auto& key :
         {instance_key(card, u"P:\\"), instance_key(std::nullopt, std::u16string(600, u'x'))}) {
        EXPECT_LT(key.size(), 200u);  // an object name: no "\", well under MAX_PATH
        EXPECT_EQ(key.find(L'\\'), std::wstring::npos);
    }
}

// Two cards cloned from one image, in two readers, are two folders; one card through two drive letters
// stays one. A network path has no device, so a share keeps the key of its identity alone.
TEST(SecondStart, ClonedCardsInTwoReadersAreTwoFolders) {
    const std::u16string e = volume_device(u"\\Device\\HarddiskVolume5\\PM");
    const std::u16string f = volume_device(u"\\Device\\HarddiskVolume6\\PM");
    EXPECT_EQ(e, u"\\Device\\HarddiskVolume5");
    for (const char16_t* no_device :
         {u"\\Device\\Mup\\server\\share\\PM", u"\\Device\\Mup",
          u"\\Device\\LanmanRedirector\\;Z:0\\server\\share", u"\\??\\E:\\PM", u""})
        EXPECT_EQ(volume_device(no_device), u"");

    const FolderIdentity card_in_e{0x1234ABCD, {7, 0, 0, 0, 0, 0, 0, 1}, e};
    FolderIdentity card_in_f = card_in_e;
    card_in_f.device = f;
    EXPECT_NE(instance_key(card_in_e, u"E:\\PM"), instance_key(card_in_f, u"F:\\PM"));
    EXPECT_EQ(instance_key(card_in_e, u"E:\\PM"), instance_key(card_in_e, u"G:\\"));
}

// The second start that could not bring the open editor forward says so in the file's language.
TEST(SecondStart, SaysTheSettingsAreOpenInTheFilesLanguage) {
    const struct {
        const char* file;
        const char16_t* text;
    } cases[] = {
        {nullptr, u"These settings are already open in another window of the settings editor."},
        {"LANGUAGE=-1\r\n", u"These settings are already open in another window of the settings editor."},
        {"LANGUAGE=1\r\n",
         u"Ces paramètres sont déjà ouverts dans une autre fenêtre de l'éditeur de paramètres."},
        {"LANGUAGE=2\r\n",
         u"Diese Einstellungen sind bereits in einem anderen Fenster des Einstellungseditors geöffnet."},
        {"LANGUAGE=3\r\n",
         u"Deze instellingen zijn al geopend in een ander venster van de instellingeneditor."},
        {"LANGUAGE=4\r\n", u"Te ustawienia sa juz otwarte w innym oknie edytora ustawien."},
        {"LANGUAGE=5\r\n",
         u"Queste impostazioni sono già aperte in un'altra finestra dell'editor delle impostazioni."},
        {"JOB=x\r\nLANGUAGE=6\r\nHIGH_ALARM1=abc\r\n",
         u"Esta configuración ya está abierta en otra ventana del editor de configuración."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "no file");
        test::TestApp t;
        if (c.file) t.files.put(u"SETTINGS.TXT", c.file);
        EXPECT_EQ(already_open_message(t.files, t.text), c.text);
        EXPECT_EQ(t.files.calls(test::FsOp::create), 0);
    }
}

}  // namespace
}  // namespace pm
