#include "gtk_preference_window.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <string>

namespace dorvane::linux_host {
namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidth = 5400;  // twips
constexpr int kClientHeight = 2535;
struct Place {
  int Left, Top, Width, Height;  // twips
};
// In the order of PreferenceField.
constexpr Place kFields[] = {
    {3000, 480, 1935, 300}, {3000, 960, 1935, 270}, {3000, 1440, 1935, 300}};
constexpr Place kOk = {1800, 2040, 795, 345};
constexpr Place kCancel = {3120, 2040, 795, 345};
constexpr int kLabelLeft = 360;
constexpr int kLabelWidth = 2520;
const char* const kMacEntries[] = {"ATD0;", "AT;"};

int Px(int twips) { return twips / kTwipsPerPixel; }

GtkWidget* PlaceIn(GtkWidget* layout, GtkWidget* widget, const Place& at) {
  gtk_widget_set_size_request(widget, Px(at.Width), Px(at.Height));
  gtk_fixed_put(GTK_FIXED(layout), widget, Px(at.Left), Px(at.Top));
  return widget;
}

GtkWidget* ComboEntry(GtkWidget* combo) { return gtk_bin_get_child(GTK_BIN(combo)); }

void Fire(const std::function<void()>& action) {
  const std::function<void()> copy = action;
  if (copy) copy();
}

}  // namespace

GtkPreferenceWindow::GtkPreferenceWindow(DialogActions actions, std::vector<int16_t> linkedPorts)
    : actions_(std::move(actions)), linkedPorts_(std::move(linkedPorts)) {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window_), "Preference");
  gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
  gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
  gtk_window_set_skip_taskbar_hint(GTK_WINDOW(window_), TRUE);
  layout_ = gtk_fixed_new();
  gtk_widget_set_size_request(layout_, Px(kClientWidth), Px(kClientHeight));
  gtk_container_add(GTK_CONTAINER(window_), layout_);

  background_ = gtk_image_new();
  gtk_fixed_put(GTK_FIXED(layout_), background_, 0, 0);
  fields_[0] = PlaceIn(layout_, gtk_combo_box_text_new(), kFields[0]);
  fields_[1] = PlaceIn(layout_, gtk_entry_new(), kFields[1]);
  fields_[2] = PlaceIn(layout_, gtk_combo_box_text_new_with_entry(), kFields[2]);
  gtk_widget_set_name(fields_[0], "Cmb_Com");
  gtk_widget_set_name(fields_[1], "Txt_MDN");
  gtk_widget_set_name(fields_[2], "Cmb_MAC");
  for (const char* entry : kMacEntries) {
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(fields_[2]), entry);
  }
  gtk_entry_set_text(GTK_ENTRY(ComboEntry(fields_[2])), kMacEntries[0]);
  gtk_entry_set_text(GTK_ENTRY(fields_[1]), "*0");
  ok_ = PlaceIn(layout_, gtk_button_new_with_label("OK"), kOk);
  cancel_ = PlaceIn(layout_, gtk_button_new_with_label("Cancel"), kCancel);

  g_signal_connect_swapped(
      ok_, "clicked", G_CALLBACK(+[](GtkPreferenceWindow* self) { Fire(self->actions_.onOk); }),
      this);
  g_signal_connect_swapped(
      cancel_, "clicked",
      G_CALLBACK(+[](GtkPreferenceWindow* self) { Fire(self->actions_.onCancel); }), this);
  g_signal_connect(window_, "delete-event",
                   G_CALLBACK(+[](GtkWidget*, GdkEvent*, GtkPreferenceWindow* self) -> gboolean {
                     Fire(self->actions_.onCloseBox);
                     return TRUE;  // the dialog's logic decides whether the window goes
                   }),
                   this);
  gtk_widget_show_all(layout_);
}

GtkPreferenceWindow::~GtkPreferenceWindow() { Close(); }

void GtkPreferenceWindow::SetBackgroundPicture(const PictureRef& picture) {
  const auto pixbuf = std::dynamic_pointer_cast<PixbufPicture>(picture);
  gtk_image_set_from_pixbuf(GTK_IMAGE(background_), pixbuf ? pixbuf->Pixbuf() : nullptr);
}

void GtkPreferenceWindow::SetButtonFace(GtkWidget* button, const PictureRef& picture, int width,
                                        int height) {
  const auto pixbuf = std::dynamic_pointer_cast<PixbufPicture>(picture);
  if (!pixbuf) return;
  // The picture's top left corner fills the face, clipped to it, with the caption in bold over
  // it, as the picture buttons draw themselves on Windows.
  GdkPixbuf* source = pixbuf->Pixbuf();
  const int w = std::min(width, gdk_pixbuf_get_width(source));
  const int h = std::min(height, gdk_pixbuf_get_height(source));
  GdkPixbuf* face = gdk_pixbuf_new_subpixbuf(source, 0, 0, w, h);
  GtkWidget* overlay = gtk_overlay_new();
  gtk_container_add(GTK_CONTAINER(overlay), gtk_image_new_from_pixbuf(face));
  g_object_unref(face);
  GtkWidget* caption = gtk_label_new(nullptr);
  gchar* markup = g_markup_printf_escaped("<b>%s</b>", gtk_button_get_label(GTK_BUTTON(button)));
  gtk_label_set_markup(GTK_LABEL(caption), markup);
  g_free(markup);
  gtk_overlay_add_overlay(GTK_OVERLAY(overlay), caption);
  // The caption has a window of its own over the face: clicks go through it to the button.
  gtk_overlay_set_overlay_pass_through(GTK_OVERLAY(overlay), caption, TRUE);
  if (GtkWidget* old = gtk_bin_get_child(GTK_BIN(button))) {
    gtk_container_remove(GTK_CONTAINER(button), old);
  }
  gtk_container_add(GTK_CONTAINER(button), overlay);
  gtk_widget_show_all(overlay);
}

void GtkPreferenceWindow::SetOkPicture(const PictureRef& picture) {
  SetButtonFace(ok_, picture, Px(kOk.Width), Px(kOk.Height));
}

void GtkPreferenceWindow::SetCancelPicture(const PictureRef& picture) {
  SetButtonFace(cancel_, picture, Px(kCancel.Width), Px(kCancel.Height));
}

void GtkPreferenceWindow::ShowFieldLabels(const std::array<std::string, 3>& labels) {
  for (size_t index = 0; index < labels.size(); ++index) {
    GtkWidget* label = gtk_label_new(labels[index].c_str());
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    PlaceIn(layout_, label, {kLabelLeft, kFields[index].Top, kLabelWidth, kFields[index].Height});
    gtk_widget_show(label);
  }
}

void GtkPreferenceWindow::SetComEntries(const std::vector<std::string>& entries) {
  GtkComboBoxText* combo = GTK_COMBO_BOX_TEXT(fields_[0]);
  gtk_combo_box_text_remove_all(combo);
  std::vector<std::string> all = entries;
  for (const int16_t port : linkedPorts_) {
    const std::string entry = "COM" + std::to_string(port);
    if (std::find(all.begin(), all.end(), entry) == all.end()) all.push_back(entry);
  }
  for (const std::string& entry : all) gtk_combo_box_text_append_text(combo, entry.c_str());
}

std::string GtkPreferenceWindow::Text(PreferenceField field) {
  GtkWidget* widget = fields_[static_cast<int>(field)];
  if (field == PreferenceField::Cmb_Com) {
    gchar* text = gtk_combo_box_text_get_active_text(GTK_COMBO_BOX_TEXT(widget));
    std::string result = text ? text : "";
    g_free(text);
    return result;
  }
  if (field == PreferenceField::Cmb_MAC) widget = ComboEntry(widget);
  return gtk_entry_get_text(GTK_ENTRY(widget));
}

void GtkPreferenceWindow::SetText(PreferenceField field, const std::string& text) {
  GtkWidget* widget = fields_[static_cast<int>(field)];
  if (field == PreferenceField::Cmb_Com) {
    // A drop-down list takes only one of its entries.
    GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(widget));
    const int count = gtk_tree_model_iter_n_children(model, nullptr);
    for (int index = 0; index < count; ++index) {
      GtkTreeIter row;
      gtk_tree_model_iter_nth_child(model, &row, nullptr, index);
      gchar* entry = nullptr;
      gtk_tree_model_get(model, &row, 0, &entry, -1);
      const bool match = entry && text == entry;
      g_free(entry);
      if (match) gtk_combo_box_set_active(GTK_COMBO_BOX(widget), index);
    }
    return;
  }
  if (field == PreferenceField::Cmb_MAC) widget = ComboEntry(widget);
  gtk_entry_set_text(GTK_ENTRY(widget), text.c_str());
}

void GtkPreferenceWindow::Show() { gtk_window_present(GTK_WINDOW(window_)); }

void GtkPreferenceWindow::BringToFront() { gtk_window_present(GTK_WINDOW(window_)); }

void GtkPreferenceWindow::Close() {
  if (!window_) return;
  GtkWidget* window = window_;
  window_ = nullptr;
  g_signal_handlers_disconnect_by_data(window, this);
  g_signal_handlers_disconnect_by_data(ok_, this);
  g_signal_handlers_disconnect_by_data(cancel_, this);
  gtk_widget_destroy(window);
}

}  // namespace dorvane::linux_host
